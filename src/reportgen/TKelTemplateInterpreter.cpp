#include "reportgen/TKelTemplateInterpreter.h"

#include "reportgen/ETemplateError.h"
#include "reportgen/QueryValues.h"
#include "reportgen/TKelQueryStack.h"
#include "reportgen/TKelReportGenerator.h"
#include "reportgen/TRGPigger.h"
#include "tree/EKelError.h"
#include "tree/KelTextCodec.h"
#include "tree/TKelPigger.h"

#include <algorithm>
#include <iterator>

namespace quillo {

namespace {

bool IsBlank(char ch) { return uchar(ch) <= 32; }

QByteArray TrimmedBlanks(const QByteArray& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// Formats a message with "%s" placeholders filled in order, "%%" giving "%".
QString FormatMessage(const QString& format, const QStringList& values)
{
    QString out;
    int next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size()) {
            if (format[i + 1] == QLatin1Char('s')) {
                out += next < values.size() ? values[next++] : QString();
                ++i;
                continue;
            }
            if (format[i + 1] == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

TExprKind KindOfFieldType(int type)
{
    switch (type) {
    case kftInt:
    case kftInt64:
        return ekInt;
    case kftString:
    case kftBlob:
        return ekString;
    default:
        return ekFloat;
    }
}

// Pops the entry of a QUERY however it is left, so a failed run leaves no stale entries behind.
class TQueryEntryScope {
public:
    explicit TQueryEntryScope(TKelQueryStack& stack)
        : m_stack(stack)
    {
    }
    ~TQueryEntryScope() { m_stack.Pop(); }
    TQueryEntryScope(const TQueryEntryScope&) = delete;
    TQueryEntryScope& operator=(const TQueryEntryScope&) = delete;

private:
    TKelQueryStack& m_stack;
};

} // namespace

QList<QByteArray> SplitStatements(const QByteArray& text)
{
    QList<QByteArray> pieces;
    qsizetype start = 0;
    char quote = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quote) {
            if (ch == quote)
                quote = 0;
        } else if (ch == '\'' || ch == '"') {
            quote = ch;
        } else if (ch == ';') {
            pieces << text.mid(start, i - start);
            start = i + 1;
        }
    }
    pieces << text.mid(start);
    return pieces;
}

TKelTemplateInterpreter::TKelTemplateInterpreter(TKelReportGenerator& generator, QByteArray& output)
    : m_generator(generator)
    , m_output(output)
    , m_outputStart(output.size())
{
}

void TKelTemplateInterpreter::CountStatement()
{
    // Each loop alone has its pass limit, but nested loops multiply: this bounds the whole run.
    if (++m_statements > m_generator.StatementLimit())
        throw EKelError(QStringLiteral("Template run stopped after %1 statements").arg(m_generator.StatementLimit()));
}

void TKelTemplateInterpreter::Reserve(qsizetype more)
{
    if (m_output.size() - m_outputStart > m_generator.OutputLimit() - more)
        throw EKelError(QStringLiteral("Report output larger than %1 bytes").arg(m_generator.OutputLimit()));
}

void TKelTemplateInterpreter::Write(QByteArrayView bytes)
{
    Reserve(bytes.size());
    m_output.append(bytes);
}

void TKelTemplateInterpreter::WriteLineStart(int level)
{
    Reserve(2 + qsizetype(level));
    m_output.append("\r\n", 2);
    m_output.append(level, '\t');
}

void TKelTemplateInterpreter::RunNode(TKelPigger& node)
{
    try {
        RunStatement(node);
    } catch (const ETemplateError&) {
        throw;
    } catch (const EKelError& fault) {
        // The innermost element names the place; the elements around it pass that on.
        const auto* element = dynamic_cast<const TRGPigger*>(&node);
        throw ETemplateError(fault, node.Tag(), element ? element->StartPosition() : 0);
    }
}

void TKelTemplateInterpreter::RunStatement(TKelPigger& node)
{
    if (m_depth >= MaxNesting)
        throw EKelError(QStringLiteral("Template nested deeper than %1 levels").arg(MaxNesting));
    ++m_depth;
    CountStatement();
    m_generator.BeforeNode(&node);
    using Statement = void (TKelTemplateInterpreter::*)(TKelPigger&);
    static const std::pair<QByteArrayView, Statement> statements[] = {
        { "COMMENT", nullptr }, // skipped with everything in it
        { "IF", &TKelTemplateInterpreter::RunIf },
        { "WHILE", &TKelTemplateInterpreter::RunWhile },
        { "EXEC", &TKelTemplateInterpreter::RunExec },
        { "OPENTAG", &TKelTemplateInterpreter::RunOpenTag },
        { "CLOSETAG", &TKelTemplateInterpreter::RunCloseTag },
        { "QUERY", &TKelTemplateInterpreter::RunQuery },
        { "FORDYNCOL", &TKelTemplateInterpreter::RunForDynCol },
        { "SUBHEADER", &TKelTemplateInterpreter::RunSubHeader },
    };
    const auto statement = std::find_if(
        std::begin(statements), std::end(statements), [&](const auto& entry) { return entry.first == node.Tag(); });
    if (statement == std::end(statements))
        CopyElement(node);
    else if (statement->second)
        (this->*statement->second)(node);
    --m_depth;
}

void TKelTemplateInterpreter::RunContents(TKelPigger& node)
{
    for (int i = 0; i < node.ChildCount(); ++i)
        RunNode(*node.Child(i));
}

QByteArray TKelTemplateInterpreter::ValueOf(const QByteArray& raw)
{
    if (!raw.startsWith('='))
        return raw;
    TExpr value = m_generator.Evaluate(QByteArrayView(raw).sliced(1));
    ConvertExpr(value, ekString);
    return value.Str;
}

void TKelTemplateInterpreter::WriteEscaped(const QByteArray& bytes)
{
    const auto escapes = std::count_if(bytes.begin(), bytes.end(), [](char c) { return KelTextCodec::NeedsEscape(c); });
    const qsizetype size = bytes.size() + 2 * escapes;
    Reserve(size);
    const qsizetype start = m_output.size();
    m_output.resize(start + size);
    KelTextCodec::WriteEscapedBytes(bytes.constData(), bytes.size(), m_output.data() + start);
}

void TKelTemplateInterpreter::WriteStartTag(TKelPigger& element)
{
    WriteLineStart(element.Level());
    Write("<");
    Write(element.Tag());
    for (int i = 0; i < element.AttrCount(); ++i) {
        Write(" ");
        Write(element.AttrNameView(i).toUtf8());
        Write("=\"");
        WriteEscaped(ValueOf(element.AttrValueView(i).toUtf8()));
        Write("\"");
    }
}

void TKelTemplateInterpreter::CopyElement(TKelPigger& element)
{
    WriteStartTag(element);
    if (element.ChildCount() == 0 && element.Text().isEmpty()) {
        Write("/>");
        return;
    }
    Write(">");
    RunContents(element);
    WriteEscaped(ValueOf(element.Text()));
    WriteLineStart(element.Level());
    Write("</");
    Write(element.Tag());
    Write(">");
}

bool TKelTemplateInterpreter::Condition(const QByteArray& expression)
{
    TExpr value = m_generator.Evaluate(expression);
    ConvertExpr(value, ekBool);
    return value.Bool;
}

void TKelTemplateInterpreter::RunIf(TKelPigger& statement)
{
    if (Condition(statement.GetAttr(QStringLiteral("COND")).toUtf8()))
        RunContents(statement);
}

void TKelTemplateInterpreter::RunWhile(TKelPigger& statement)
{
    const QByteArray before = TrimmedBlanks(statement.GetAttr(QStringLiteral("PRECOND")).toUtf8());
    const QByteArray after = TrimmedBlanks(statement.GetAttr(QStringLiteral("AFTERCOND")).toUtf8());
    if (before.isEmpty() && after.isEmpty())
        throw EKelError(QStringLiteral("Unterminated loop"));
    for (int passes = 0;; ++passes) {
        if (!before.isEmpty() && !Condition(before))
            return;
        // Checked after PRECOND, so a loop that ends right at the limit is not refused.
        if (passes == m_generator.LoopPassLimit())
            throw EKelError(QStringLiteral("Loop stopped after %1 passes").arg(passes));
        CountStatement();
        RunContents(statement);
        if (!after.isEmpty() && !Condition(after))
            return;
    }
}

void TKelTemplateInterpreter::RunExec(TKelPigger& statement)
{
    for (const QByteArray& piece : SplitStatements(statement.Text())) {
        const QByteArray expression = TrimmedBlanks(piece);
        if (!expression.isEmpty())
            m_generator.Evaluate(expression);
    }
}

void TKelTemplateInterpreter::RunOpenTag(TKelPigger& statement)
{
    if (statement.Text().isEmpty())
        statement.SetText("*");
    const QByteArray ownTag = statement.Tag();
    statement.SetTag(statement.GetAttr(QStringLiteral("TAG")).toUtf8());
    try {
        WriteStartTag(statement);
    } catch (...) {
        statement.SetTag(ownTag);
        throw;
    }
    statement.SetTag(ownTag);
    Write(">");
}

void TKelTemplateInterpreter::RunCloseTag(TKelPigger& statement)
{
    Write("</");
    Write(statement.GetAttr(QStringLiteral("TAG")).toUtf8());
    Write(">");
}

void TKelTemplateInterpreter::RunQuery(TKelPigger& statement)
{
    TKelQueryStack& stack = m_generator.Queries();
    std::shared_ptr<IReportQuery> query = m_generator.CreateQuery();
    if (!query)
        throw EKelError("Abstract Error");
    TKelQueryEntry& entry = stack.Push(std::move(query));
    TQueryEntryScope scope(stack);

    TKelPigger* sql = statement.FindChild("SQL");
    TKelPigger* body = statement.FindChild("BODY");
    TKelPigger* params = statement.FindChild("PARAMS");
    TKelPigger* header = statement.FindChild("HEADER");
    TKelPigger* footer = statement.FindChild("FOOTER");
    const QString keyCount = statement.GetAttr(QStringLiteral("TRANSPONATE-BY"));
    if (!keyCount.isEmpty())
        entry.Transposer = std::make_unique<TKelTranspQuery>(keyCount, entry.Query);
    const QString name = statement.GetAttr(QStringLiteral("NAME"));
    if (!name.isEmpty())
        entry.Name = name.toUtf8();
    const QString errorFormat = statement.GetAttr(QStringLiteral("ERRMSG"));

    if (sql)
        m_generator.BeforeNode(sql);
    if (!sql || sql->Text().isEmpty())
        throw EKelError(QStringLiteral("Empty query %1").arg(QString::fromUtf8(entry.Name)));
    entry.Query->SetSQL(QString::fromUtf8(sql->Text()));
    if (params)
        m_generator.BeforeNode(params);
    if (entry.Query->ParamCount() > 0)
        BindParameters(entry, params);
    if (!entry.Query->Open()) {
        const QString format = errorFormat.isEmpty() ? QStringLiteral("Cannot execute query %s: %s") : errorFormat;
        throw EKelError(FormatMessage(format, { QString::fromUtf8(entry.Name), entry.Query->GetErrorText() }));
    }
    if (entry.Query->Eof())
        return;
    if (entry.Transposer) {
        entry.Transposer->Build();
        entry.Query.reset();
    }
    if (header) {
        m_generator.BeforeNode(header);
        RunContents(*header);
    }
    if (body) {
        m_generator.BeforeNode(body);
        for (; !entry.Eof(); entry.Next()) {
            ++entry.RecNo;
            RunContents(*body);
        }
    }
    if (footer) {
        m_generator.BeforeNode(footer);
        RunContents(*footer);
    }
}

void TKelTemplateInterpreter::BindParameters(TKelQueryEntry& entry, TKelPigger* params)
{
    IReportQuery& query = *entry.Query;
    const QString queryName = QString::fromUtf8(entry.Name);
    for (int i = 0; i < query.ParamCount(); ++i) {
        const QString name = query.ParamName(i);
        TKelPigger* param = nullptr;
        if (params)
            for (TKelPigger* p = params->FindChild("PARAM"); p && !param; p = params->FindNextChild(p))
                if (p->GetAttr(QStringLiteral("NAME")).compare(name, Qt::CaseInsensitive) == 0)
                    param = p;
        if (!param)
            throw EKelError(QStringLiteral("Parameter '%1.%2' not found").arg(queryName, name));
        m_generator.BeforeNode(param);
        const int type = FieldTypeOfName(param->GetAttr(QStringLiteral("TYPE")));
        if (type == 0)
            throw EKelError(QStringLiteral("Parameter '%1.%2' is of unknown data type").arg(queryName, name));
        query.SetParamType(i, type);

        const QString text = param->GetAttr(QStringLiteral("VALUE"));
        TExpr value;
        if (text.startsWith(QLatin1Char('=')))
            value = m_generator.Evaluate(text.mid(1).toUtf8());
        else if (!text.isEmpty())
            value = TExpr::FromString(text.toUtf8());
        if (!value.IsNull())
            ConvertExpr(value, KindOfFieldType(type));
        switch (value.Kind) {
        case ekInt:
            query.SetParamInteger(i, value.Int);
            break;
        case ekFloat:
            query.SetParamFloat(i, value.Float);
            break;
        case ekString:
            query.SetParamString(i, QString::fromUtf8(value.Str));
            break;
        default:
            query.SetParamNull(i);
            break;
        }
    }
}

void TKelTemplateInterpreter::RunForDynCol(TKelPigger& statement)
{
    TKelQueryEntry* entry = m_generator.Queries().Innermost();
    if (!entry || !entry->Transposer)
        return;
    const int previous = entry->DynCol;
    for (int column = 0; column < entry->Transposer->DynColCount(); ++column) {
        entry->DynCol = column;
        RunContents(statement);
    }
    entry->DynCol = previous;
}

void TKelTemplateInterpreter::RunSubHeader(TKelPigger& statement)
{
    TKelQueryEntry* entry = m_generator.Queries().Innermost();
    if (!entry || !entry->Transposer)
        return;
    const TKelTranspQuery& transposer = *entry->Transposer;
    const int previousLevel = entry->HeaderLevel;
    const int previousColumn = entry->HeaderCol;
    const int level = previousLevel + 1;
    if (level >= transposer.HeaderLevels())
        return;
    const int first = level == 0 ? 0 : previousColumn;
    if (first < 0 || first >= transposer.DynColCount())
        return;

    const auto differs = [&](int a, int b, int atLevel) {
        return CompareQueryValues(transposer.HeaderValue(a, atLevel), transposer.HeaderValue(b, atLevel)) != 0;
    };
    entry->HeaderLevel = level;
    int groupStart = first;
    entry->HeaderCol = groupStart;
    RunContents(statement);
    for (int column = first + 1; column < transposer.DynColCount(); ++column) {
        bool outerChanged = false;
        for (int outer = 0; outer < level && !outerChanged; ++outer)
            outerChanged = differs(column, first, outer);
        if (outerChanged)
            break;
        if (differs(column, groupStart, level)) {
            groupStart = column;
            entry->HeaderCol = groupStart;
            RunContents(statement);
        }
    }
    entry->HeaderLevel = previousLevel;
    entry->HeaderCol = previousColumn;
}

} // namespace quillo
