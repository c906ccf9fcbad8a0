#include "reportgen/TExprParser.h"

#include "reportgen/ExprFunctionRegistry.h"
#include "reportgen/TOperation.h"
#include "tree/EKelError.h"
#include "tree/KelTextCodec.h"

namespace quillo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
uint32_t HexValue(char c) { return uint32_t(IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10); }
bool IsQuote(char c) { return c == '\'' || c == '"'; }
bool IsBlank(char c) { return c >= 1 && c <= 32; }

} // namespace

class TExprParser::NestingGuard {
public:
    NestingGuard(TExprParser& parser, qsizetype index)
        : m_parser(parser)
    {
        if (++m_parser.m_depth > MaxNesting)
            m_parser.Raise(QStringLiteral("Expression nested too deeply"), index);
    }
    ~NestingGuard() { --m_parser.m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    TExprParser& m_parser;
};

void TExprParser::Raise(const QString& message, qsizetype index) const
{
    throw EKelError(QStringLiteral("%1. Position %2").arg(message).arg(index + 1));
}

void TExprParser::SkipBlanks()
{
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
        ++m_pos;
}

TExpr TExprParser::Evaluate(QByteArrayView text)
{
    m_text = text;
    m_pos = 0;
    m_lastOperator = OperatorToken();
    m_depth = 0;
    SkipBlanks();
    return Parse(0);
}

// expression := { operand | operator } until "," or ")" or the end;
// an operator binding no tighter than minPriority is left for the caller.
TExpr TExprParser::Parse(int minPriority)
{
    TExpr result;
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == ',' || c == ')')
            break;
        if ((IsDigit(c) || IsLetter(c) || IsQuote(c) || c == '(') && !result.IsNull())
            Raise(QStringLiteral("Operation absent"), c == '(' ? m_pos + 1 : m_pos);
        if (IsDigit(c)) {
            result = ReadNumber();
        } else if (IsQuote(c)) {
            result = ReadString();
        } else if (c == '(') {
            result = ReadParenthesised();
        } else if (IsLetter(c)) {
            result = ReadCall();
        } else if (IsOperatorChar(c)) {
            const TOperation* operation = ReadOperator();
            if (operation->Priority <= minPriority) {
                m_pos = m_lastOperator.Start;
                break;
            }
            TExpr right = Parse(operation->Priority);
            // Reported at the operator read last, which may be one that ended the right operand.
            if (right.IsNull() || !operation->Handler(result, right))
                Raise(QStringLiteral("Invalid arguments for operation"), m_lastOperator.Start);
        } else {
            Raise(QStringLiteral("Illegal character"), m_pos);
        }
    }
    return result;
}

// number := "0x" hexdigits | digits [ "." [ digits ] ]
TExpr TExprParser::ReadNumber()
{
    const qsizetype start = m_pos;
    TExpr result;
    if (m_text[m_pos] == '0' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == 'x') {
        m_pos += 2;
        const qsizetype digitsStart = m_pos;
        while (m_pos < m_text.size() && IsHexDigit(m_text[m_pos]))
            ++m_pos;
        qsizetype significant = digitsStart;
        while (significant < m_pos && m_text[significant] == '0')
            ++significant;
        // A 32-bit pattern; more than eight significant digits, or none, read as 0.
        uint32_t pattern = 0;
        if (m_pos - significant <= 8)
            for (qsizetype i = significant; i < m_pos; ++i)
                pattern = pattern << 4 | HexValue(m_text[i]);
        result = TExpr::FromInt(int32_t(pattern));
    } else {
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos]))
            ++m_pos;
        TExprKind kind = ekInt;
        if (Current() == '.') {
            kind = ekFloat;
            ++m_pos;
            while (m_pos < m_text.size() && IsDigit(m_text[m_pos]))
                ++m_pos;
        }
        result = TExpr::FromString(m_text.sliced(start, m_pos - start).toByteArray());
        ConvertExpr(result, kind);
    }
    SkipBlanks();
    return result;
}

// string := quote { character | quote quote } quote, with either quote character
TExpr TExprParser::ReadString()
{
    const qsizetype start = m_pos;
    const char quote = m_text[m_pos++];
    QByteArray value;
    for (;;) {
        const qsizetype close = m_text.indexOf(quote, m_pos);
        if (close < 0)
            Raise(QStringLiteral("Unterminated string"), start);
        value.append(m_text.sliced(m_pos, close - m_pos));
        m_pos = close + 1;
        if (Current() != quote)
            break;
        value.append(quote);
        ++m_pos;
    }
    SkipBlanks();
    return TExpr::FromString(value);
}

// parenthesised := "(" expression ")"
TExpr TExprParser::ReadParenthesised()
{
    const NestingGuard guard(*this, m_pos);
    ++m_pos;
    SkipBlanks();
    const qsizetype inner = m_pos;
    TExpr result = Parse(0);
    if (Current() != ')')
        Raise(QStringLiteral("Unclosed brace"), m_pos);
    // Only parentheses with nothing inside are empty: (GETVAR('unset')) is a valid null.
    if (m_pos == inner)
        Raise(QStringLiteral("Empty expression"), m_pos);
    ++m_pos;
    SkipBlanks();
    return result;
}

// call := name [ "(" [ expression { "," expression } ] ")" ]
TExpr TExprParser::ReadCall()
{
    const qsizetype nameStart = m_pos;
    while (m_pos < m_text.size() && (IsLetter(m_text[m_pos]) || IsDigit(m_text[m_pos]) || m_text[m_pos] == '_'))
        ++m_pos;
    const QByteArrayView name = m_text.sliced(nameStart, m_pos - nameStart);
    const auto nameText = [&] { return QString::fromLatin1(KelTextCodec::AsciiUpper(name.toByteArray())); };
    SkipBlanks();
    TExpr args[MaxExprArgs];
    int count = 0;
    if (Current() == '(') {
        const NestingGuard guard(*this, nameStart);
        ++m_pos;
        SkipBlanks();
        if (Current() != ')') {
            for (;;) {
                if (count == MaxExprArgs)
                    Raise(QStringLiteral("Too many arguments for function: %1").arg(nameText()), nameStart);
                args[count++] = Parse(0);
                if (Current() != ',')
                    break;
                ++m_pos;
                SkipBlanks();
            }
        }
        if (Current() != ')')
            Raise(QStringLiteral("Unclosed brace"), nameStart);
        ++m_pos;
        SkipBlanks();
    }
    const TExprFunction function = FindFunction(name);
    if (!function)
        Raise(QStringLiteral("Unknown function: %1").arg(nameText()), nameStart);
    TExpr result;
    if (!function(Context, result, count, args))
        Raise(QStringLiteral("Error in function: %1").arg(nameText()), nameStart);
    // Functions that expand their input (pictures, padding) may build a string longer than any input.
    if (result.Kind == ekString)
        CheckStringLength(result.Str.size());
    return result;
}

// operator := the longest run of operator characters, matching one row of the table exactly
const TOperation* TExprParser::ReadOperator()
{
    if (m_lastOperator.Start == m_pos) {
        m_pos = m_lastOperator.End;
        return m_lastOperator.Operation;
    }
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && IsOperatorChar(m_text[m_pos]))
        ++m_pos;
    const QByteArrayView symbol = m_text.sliced(start, m_pos - start);
    const TOperation* operation = FindOperation(symbol);
    if (!operation)
        Raise(QStringLiteral("Unknown operation: %1").arg(QString::fromLatin1(symbol)), start);
    SkipBlanks();
    m_lastOperator = { start, m_pos, operation };
    return operation;
}

} // namespace quillo
