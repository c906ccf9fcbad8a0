#pragma once

#include "reportgen/IReportQuery.h"
#include "reportgen/TExprParser.h"
#include "reportgen/TKelQueryStack.h"
#include "reportgen/TRGPigger.h"
#include "reportgen/TRepGenParams.h"

#include <QHash>

#include <memory>

namespace quillo {

class IReportQueryStack;
class TKelPigger;

// The state a template run shares with the report functions: variables, parameters, the open queries,
// the data node and the passed parameters. Its parser hands the generator to every function.
class TKelReportGenerator : public TExprContext {
public:
    TKelReportGenerator();
    ~TKelReportGenerator() override;
    TKelReportGenerator(const TKelReportGenerator&) = delete;
    TKelReportGenerator& operator=(const TKelReportGenerator&) = delete;

    TExprParser& Parser() { return m_parser; }
    TExpr Evaluate(QByteArrayView text) { return m_parser.Evaluate(text); }

    // Names are compared after upper-casing; a variable never set reads as ekNull.
    TExpr GetVar(const QByteArray& name) const;
    void SetVar(const QByteArray& name, const TExpr& value);

    TRepGenParams& Params() { return m_params; }
    const TRepGenParams& Params() const { return m_params; }

    // Neither node is owned; either may be null. The data node is what GETATTRIB and its kin read,
    // the passed parameters a PARAMS element with PARAM children (NAME, TYPE, VALUE).
    TKelPigger* DataNode() const { return m_dataNode; }
    void SetDataNode(TKelPigger* node) { m_dataNode = node; }
    TKelPigger* PassedParams() const { return m_passedParams; }
    void SetPassedParams(TKelPigger* node) { m_passedParams = node; }

    // The open queries, or null while none is open; not owned.
    const IReportQueryStack* QueryStack() const { return m_queryStack; }
    void SetQueryStack(const IReportQueryStack* stack) { m_queryStack = stack; }

    // Called with each template node before it is processed, and with null after a run.
    virtual void BeforeNode(TKelPigger* node);
    // The data source of QUERY statements; this generator has none and raises "Abstract Error".
    virtual std::shared_ptr<IReportQuery> CreateQuery();
    // Runs the loaded template, appending to the output. Raises "Invalid report template" for a
    // template without a REPORT_TEMPLATE or QUILLO_TEMPLATE root holding a REPORT.
    virtual void Execute();

    // Replaces the template; reading errors propagate. Element start positions count the file's bytes.
    void LoadTemplate(const QString& fileName);
    TRGPigger& Template() { return m_template; }
    // The output written so far; reading it empties the buffer.
    QByteArray TakeOutput();
    // Forgets the template, output, parameters, variables and open queries.
    void Clear();
    TKelQueryStack& Queries() { return m_queries; }
    // A WHILE that has run this many passes is stopped with an error instead of hanging the program.
    int LoopPassLimit() const { return m_loopPassLimit; }
    void SetLoopPassLimit(int passes) { m_loopPassLimit = passes; }
    // A run that executes more statements and loop passes than this is stopped: nested loops multiply.
    qint64 StatementLimit() const { return m_statementLimit; }
    void SetStatementLimit(qint64 statements) { m_statementLimit = statements; }
    // A run is stopped before its output grows past this many bytes.
    qsizetype OutputLimit() const { return m_outputLimit; }
    void SetOutputLimit(qsizetype bytes) { m_outputLimit = bytes; }

private:
    TExprParser m_parser;
    QHash<QByteArray, TExpr> m_variables;
    TRepGenParams m_params;
    TKelPigger* m_dataNode = nullptr;
    TKelPigger* m_passedParams = nullptr;
    const IReportQueryStack* m_queryStack = nullptr;
    TRGPigger m_template;
    QByteArray m_output;
    TKelQueryStack m_queries;
    int m_loopPassLimit = 1'000'000;
    qint64 m_statementLimit = 50'000'000;
    qsizetype m_outputLimit = qsizetype(256) * 1024 * 1024;
};

} // namespace quillo
