#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace quillo {

// The order matters: operators bring both operands to the larger kind.
enum TExprKind : uint8_t { ekNull = 0, ekBool = 1, ekInt = 2, ekFloat = 3, ekString = 4 };

// A value of the expression language. Dates are ekFloat day counts from 30 December 1899.
struct TExpr {
    TExprKind Kind = ekNull;
    union {
        bool Bool;
        int32_t Int;
        double Float = 0;
    };
    // UTF-8 text; empty unless Kind is ekString.
    QByteArray Str;

    static TExpr FromBool(bool value);
    static TExpr FromInt(int32_t value);
    static TExpr FromFloat(double value);
    static TExpr FromString(const QByteArray& value);

    bool IsNull() const { return Kind == ekNull; }
};

// Longest string a value may hold; building a longer one raises instead of exhausting memory.
constexpr qsizetype MaxExprStringLength = qsizetype(16) * 1024 * 1024;

// Converts in place; raises the conversion messages for text that is no number.
void ConvertExpr(TExpr& value, TExprKind kind);

// The fixed 23-character scientific form: sign or blank, d.dddddddddddddd, E, sign, four exponent digits.
QByteArray ExprFloatToString(double value);
// Integer text: leading spaces, optional sign, decimal digits or hex digits after "$", "x" or "0x".
std::optional<int32_t> ExprStringToInt(const QByteArray& text);
// Number text with "." as decimal point whatever the locale; an optional exponent.
std::optional<double> ExprStringToFloat(const QByteArray& text);
// Nearest integer, halves to even, reduced to its low 32 bits; raises for NaN and infinities.
int32_t ExprRoundToInt(double value);
// The same, truncating toward zero.
int32_t ExprTruncToInt(double value);
// Upper case for names of variables and parameters: Unicode-aware for valid UTF-8, else ASCII only.
QByteArray ExprUpperCase(const QByteArray& name);

// Kind and value on one line: "null", "bool true", "int 7", "float  3.50000000000000E+0000", "string abc".
QByteArray DescribeExpr(const TExpr& value);

// Raises the arithmetic error a non-finite float result stands for.
double CheckedFloat(double value);
// Raises "String value too long" when a string of this length may not be built.
void CheckStringLength(qsizetype length);

// The arithmetic errors of the platform, raised as the general exception.
[[noreturn]] void RaiseDivisionByZero();
[[noreturn]] void RaiseFloatDivisionByZero();
[[noreturn]] void RaiseInvalidFloatOperation();
[[noreturn]] void RaiseFloatOverflow();

} // namespace quillo
