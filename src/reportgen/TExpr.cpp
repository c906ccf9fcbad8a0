#include "reportgen/TExpr.h"

#include "tree/EKelError.h"
#include "tree/KelTextCodec.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quillo {

TExpr TExpr::FromBool(bool value)
{
    TExpr expr;
    expr.Kind = ekBool;
    expr.Bool = value;
    return expr;
}

TExpr TExpr::FromInt(int32_t value)
{
    TExpr expr;
    expr.Kind = ekInt;
    expr.Int = value;
    return expr;
}

TExpr TExpr::FromFloat(double value)
{
    TExpr expr;
    expr.Kind = ekFloat;
    expr.Float = value;
    return expr;
}

TExpr TExpr::FromString(const QByteArray& value)
{
    TExpr expr;
    expr.Kind = ekString;
    expr.Str = value;
    return expr;
}

void RaiseDivisionByZero() { throw EKelError("Division by zero"); }
void RaiseFloatDivisionByZero() { throw EKelError("Floating point division by zero"); }
void RaiseInvalidFloatOperation() { throw EKelError("Invalid floating point operation"); }
void RaiseFloatOverflow() { throw EKelError("Floating point overflow"); }

double CheckedFloat(double value)
{
    if (std::isnan(value))
        RaiseInvalidFloatOperation();
    if (std::isinf(value))
        RaiseFloatOverflow();
    return value;
}

void CheckStringLength(qsizetype length)
{
    if (length > MaxExprStringLength)
        throw EKelError("String value too long");
}

namespace {

int32_t Low32(double integral)
{
    if (!std::isfinite(integral))
        RaiseInvalidFloatOperation();
    double low = std::fmod(integral, 4294967296.0);
    if (low < 0)
        low += 4294967296.0;
    return int32_t(uint32_t(low));
}

} // namespace

// The default rounding mode rounds halves to the even neighbour.
int32_t ExprRoundToInt(double value) { return Low32(std::nearbyint(value)); }

int32_t ExprTruncToInt(double value) { return Low32(std::trunc(value)); }

QByteArray ExprUpperCase(const QByteArray& name)
{
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii || !QByteArrayView(name).isValidUtf8())
        return KelTextCodec::AsciiUpper(name);
    return KelTextCodec::UpperCase(QString::fromUtf8(name)).toUtf8();
}

QByteArray ExprFloatToString(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    // to_chars, unlike printf, ignores the process locale.
    char digits[64];
    const auto written
        = std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(digits, size_t(written.ptr - digits));
    const size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    QByteArray result;
    result.reserve(23);
    result.append(value < 0 ? '-' : ' ');
    result.append(text.data(), qsizetype(e));
    result.append('E');
    result.append(text[e + 1]);
    result.append(QByteArray::number(exponent).rightJustified(4, '0'));
    return result;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> ExprStringToInt(const QByteArray& text)
{
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    const bool hex = p < end
        && (*p == '$' || *p == 'x' || *p == 'X' || (*p == '0' && end - p > 1 && (p[1] == 'x' || p[1] == 'X')));
    if (hex)
        p += *p == '0' ? 2 : 1;
    if (p == end)
        return std::nullopt;
    // Hex text spells a 32-bit pattern; decimal text must fit the signed range.
    const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t magnitude = 0;
    for (; p < end; ++p) {
        const int digit = hex ? HexValue(*p) : (IsDigit(*p) ? *p - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + uint64_t(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    const uint32_t pattern = uint32_t(magnitude);
    return int32_t(negative ? 0u - pattern : pattern);
}

std::optional<double> ExprStringToFloat(const QByteArray& text)
{
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    const char* intStart = p;
    while (p < end && IsDigit(*p))
        ++p;
    const std::string_view intDigits(intStart, size_t(p - intStart));
    std::string_view fracDigits;
    if (p < end && *p == '.') {
        const char* fracStart = ++p;
        while (p < end && IsDigit(*p))
            ++p;
        fracDigits = std::string_view(fracStart, size_t(p - fracStart));
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool expNegative = false;
        if (p < end && (*p == '+' || *p == '-'))
            expNegative = *p++ == '-';
        if (p == end)
            return std::nullopt;
        for (; p < end; ++p) {
            if (!IsDigit(*p))
                return std::nullopt;
            exponent = std::min(exponent * 10 + (*p - '0'), 100000L);
        }
        if (expNegative)
            exponent = -exponent;
    }
    if (p != end)
        return std::nullopt;

    std::string normal;
    normal.append(intDigits.empty() ? std::string_view("0") : intDigits);
    normal.append(".").append(fracDigits).append("0e").append(std::to_string(exponent));
    double value = 0;
    const auto parsed = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too small a value reads as zero; too large is no valid float.
        const std::string digits = std::string(intDigits) + std::string(fracDigits);
        const size_t lead = digits.find_first_not_of('0');
        if (lead != std::string::npos && long(intDigits.size()) - long(lead) - 1 + exponent >= 0)
            return std::nullopt;
        value = 0;
    }
    return negative ? -value : value;
}

void ConvertExpr(TExpr& value, TExprKind kind)
{
    if (value.Kind == kind)
        return;
    TExpr result;
    result.Kind = kind;
    switch (kind) {
    case ekNull:
        break;
    case ekBool:
        switch (value.Kind) {
        case ekInt:
            result.Bool = value.Int != 0;
            break;
        case ekFloat:
            result.Bool = value.Float != 0.0 && !std::isnan(value.Float);
            break;
        case ekString:
            result.Bool = !value.Str.isEmpty();
            break;
        default:
            result.Bool = false;
        }
        break;
    case ekInt:
        switch (value.Kind) {
        case ekBool:
            result.Int = value.Bool ? 1 : 0;
            break;
        case ekFloat:
            result.Int = ExprRoundToInt(value.Float);
            break;
        case ekString: {
            const std::optional<int32_t> parsed = ExprStringToInt(value.Str);
            if (!parsed)
                throw EKelError(QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(value.Str)));
            result.Int = *parsed;
            break;
        }
        default:
            result.Int = 0;
        }
        break;
    case ekFloat:
        switch (value.Kind) {
        case ekBool:
            result.Float = value.Bool ? 1.0 : 0.0;
            break;
        case ekInt:
            result.Float = value.Int;
            break;
        case ekString: {
            const std::optional<double> parsed = ExprStringToFloat(value.Str);
            if (!parsed)
                throw EKelError(QStringLiteral("%1 isn't a valid float").arg(QString::fromUtf8(value.Str)));
            result.Float = *parsed;
            break;
        }
        default:
            result.Float = 0;
        }
        break;
    case ekString:
        switch (value.Kind) {
        case ekBool:
            result.Str = value.Bool ? "1" : "0";
            break;
        case ekInt:
            result.Str = QByteArray::number(value.Int);
            break;
        case ekFloat:
            result.Str = ExprFloatToString(value.Float);
            break;
        default:
            break;
        }
        break;
    }
    value = result;
}

QByteArray DescribeExpr(const TExpr& value)
{
    switch (value.Kind) {
    case ekNull:
        return "null";
    case ekBool:
        return value.Bool ? "bool true" : "bool false";
    case ekInt:
        return "int " + QByteArray::number(value.Int);
    case ekFloat:
        return "float " + ExprFloatToString(value.Float);
    case ekString:
        return "string " + value.Str;
    }
    return QByteArray();
}

} // namespace quillo
