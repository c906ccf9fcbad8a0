#pragma once

#include "reportgen/TExpr.h"

#include <QByteArray>

namespace quillo {

class TKelPigger;
class TKelReportGenerator;
struct TKelQueryEntry;

// Walks a template's REPORT element for a generator: copies ordinary elements with their expression
// values evaluated and runs the statements (IF, WHILE, EXEC, OPENTAG, CLOSETAG, QUERY, FORDYNCOL, SUBHEADER).
class TKelTemplateInterpreter {
public:
    // Statements and elements nested deeper than this are refused.
    static constexpr int MaxNesting = 256;

    TKelTemplateInterpreter(TKelReportGenerator& generator, QByteArray& output);

    // A fault raised inside an element comes out as an ETemplateError naming the innermost element.
    void RunNode(TKelPigger& node);

private:
    void RunStatement(TKelPigger& node);
    void RunContents(TKelPigger& node);
    void CopyElement(TKelPigger& element);
    void WriteStartTag(TKelPigger& element);
    void RunIf(TKelPigger& statement);
    void RunWhile(TKelPigger& statement);
    void RunExec(TKelPigger& statement);
    void RunOpenTag(TKelPigger& statement);
    void RunCloseTag(TKelPigger& statement);
    void RunQuery(TKelPigger& statement);
    void BindParameters(TKelQueryEntry& entry, TKelPigger* params);
    void RunForDynCol(TKelPigger& statement);
    void RunSubHeader(TKelPigger& statement);

    // The value of an attribute or text: "=..." is evaluated and converted to a string.
    QByteArray ValueOf(const QByteArray& raw);
    bool Condition(const QByteArray& expression);
    // Counts a statement or loop pass against the generator's limit for the run.
    void CountStatement();
    // Refuses output that would take the run past the generator's limit, before the buffer grows.
    void Reserve(qsizetype more);
    void Write(QByteArrayView bytes);
    void WriteLineStart(int level);
    void WriteEscaped(const QByteArray& bytes);

    TKelReportGenerator& m_generator;
    QByteArray& m_output;
    const qsizetype m_outputStart;
    qint64 m_statements = 0;
    int m_depth = 0;
};

// Splits EXEC text at each ";" outside single- or double-quoted strings.
QList<QByteArray> SplitStatements(const QByteArray& text);

} // namespace quillo
