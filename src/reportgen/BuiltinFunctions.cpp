#include "reportgen/BuiltinFunctions.h"

#include "reportgen/DatePicture.h"
#include "reportgen/DateTimeSerial.h"
#include "reportgen/NumberPicture.h"

#include <QDateTime>

#include <cmath>

namespace quillo {

qsizetype Utf8CharLength(QByteArrayView text, qsizetype index)
{
    const uchar lead = uchar(text[index]);
    const qsizetype length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 1;
    if (length == 1 || lead > 0xF4 || index + length > text.size())
        return 1;
    for (qsizetype i = 1; i < length; ++i)
        if ((uchar(text[index + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

namespace {

// Copies of the arguments converted as a function needs them.
TExpr Converted(const TExpr& value, TExprKind kind)
{
    TExpr copy = value;
    ConvertExpr(copy, kind);
    return copy;
}

template <TExprKind Kind> bool ConvertTo(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 1)
        return false;
    result = Converted(args[0], Kind);
    return true;
}

bool Null(TExprContext*, TExpr&, int count, const TExpr*) { return count == 0; }

template <bool Value> bool Constant(TExprContext*, TExpr& result, int count, const TExpr*)
{
    result = TExpr::FromBool(Value);
    return count == 0;
}

bool IsNull(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count == 1)
        result = TExpr::FromBool(args[0].IsNull());
    else if (count == 2)
        result = args[0].IsNull() ? args[1] : args[0];
    return count == 1 || count == 2;
}

bool Iif(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 3)
        return false;
    result = Converted(args[0], ekBool).Bool ? args[1] : args[2];
    return true;
}

bool Case(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count < 2)
        return false;
    const int32_t index = Converted(args[0], ekInt).Int;
    if (index < 0 || index >= count - 1)
        return false;
    result = args[index + 1];
    return true;
}

// Digits of the 32-bit pattern, left-padded with zeros to the width; never cut.
bool PatternDigits(TExpr& result, int count, const TExpr* args, int base)
{
    if (count != 2)
        return false;
    const uint32_t pattern = uint32_t(Converted(args[0], ekInt).Int);
    const int32_t width = Converted(args[1], ekInt).Int;
    QByteArray digits = pattern == 0 && base == 2 ? QByteArray() : QByteArray::number(pattern, base).toUpper();
    CheckStringLength(width);
    result = TExpr::FromString(digits.rightJustified(width, '0'));
    return true;
}

bool Hex(TExprContext*, TExpr& result, int count, const TExpr* args) { return PatternDigits(result, count, args, 16); }
bool Bin(TExprContext*, TExpr& result, int count, const TExpr* args) { return PatternDigits(result, count, args, 2); }

bool SubStr(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 3)
        return false;
    const QByteArray text = Converted(args[0], ekString).Str;
    const int32_t start = Converted(args[1], ekInt).Int;
    int32_t length = Converted(args[2], ekInt).Int;
    qsizetype from = 0;
    // 64-bit, so that a start of -2147483648 does not overflow.
    for (qint64 skip = qint64(start) - 1; skip > 0 && from < text.size(); --skip)
        from += Utf8CharLength(text, from);
    qsizetype to = from;
    for (; length > 0 && to < text.size(); --length)
        to += Utf8CharLength(text, to);
    result = TExpr::FromString(text.sliced(from, to - from));
    return true;
}

template <double (*Compute)(double)> bool FloatFunction(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 1)
        return false;
    result = TExpr::FromFloat(Compute(Converted(args[0], ekFloat).Float));
    return true;
}

double Fraction(double value) { return value - std::trunc(value); }
double Absolute(double value) { return std::fabs(value); }

template <int32_t (*Compute)(double)> bool IntFunction(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 1)
        return false;
    result = TExpr::FromInt(Compute(Converted(args[0], ekFloat).Float));
    return true;
}

bool Date(TExprContext*, TExpr& result, int count, const TExpr*)
{
    result = TExpr::FromFloat(DateTimeSerial::FromDateTime(QDateTime::currentDateTime()));
    return count == 0;
}

template <QString (*Write)(const QString&, double, const QLocale&)>
bool Picture(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    if (count != 2)
        return false;
    const QString picture = QString::fromUtf8(Converted(args[0], ekString).Str);
    const double value = Converted(args[1], ekFloat).Float;
    result = TExpr::FromString(Write(picture, value, QLocale()).toUtf8());
    return true;
}

const TExprFunctionEntry Functions[] = {
    { "NULL", Null },
    { "TRUE", Constant<true> },
    { "FALSE", Constant<false> },
    { "INT", ConvertTo<ekInt> },
    { "BOOL", ConvertTo<ekBool> },
    { "FLOAT", ConvertTo<ekFloat> },
    { "STRING", ConvertTo<ekString> },
    { "ISNULL", IsNull },
    { "IIF", Iif },
    { "CASE", Case },
    { "HEX", Hex },
    { "BIN", Bin },
    { "SUBSTR", SubStr },
    { "FRAC", FloatFunction<Fraction> },
    { "TRUNC", IntFunction<ExprTruncToInt> },
    { "ROUND", IntFunction<ExprRoundToInt> },
    { "ABS", FloatFunction<Absolute> },
    { "DATE", Date },
    { "FORMATFLOAT", Picture<NumberPicture::Format> },
    { "FORMATDATETIME", Picture<DatePicture::Format> },
};

} // namespace

std::span<const TExprFunctionEntry> BuiltinFunctions() { return Functions; }

} // namespace quillo
