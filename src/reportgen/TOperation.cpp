#include "reportgen/TOperation.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <cstring>
#include <limits>

namespace quillo {

namespace {

bool IsIntegral(const TExpr& value) { return value.Kind == ekBool || value.Kind == ekInt; }

// Both operands to the larger of their kinds, at least ekInt.
TExprKind Promote(TExpr& left, TExpr& right)
{
    const TExprKind kind = std::max({ ekInt, left.Kind, right.Kind });
    ConvertExpr(left, kind);
    ConvertExpr(right, kind);
    return kind;
}

// Integer arithmetic runs on the unsigned pattern, so overflow wraps without undefined behaviour.
int32_t Wrap(uint32_t pattern) { return int32_t(pattern); }

bool Complement(TExpr& left, TExpr& right)
{
    if (!left.IsNull() || !IsIntegral(right))
        return false;
    ConvertExpr(right, ekInt);
    left = TExpr::FromInt(~right.Int);
    return true;
}

template <typename Combine> bool Bitwise(TExpr& left, TExpr& right, Combine combine)
{
    if (!IsIntegral(left) || !IsIntegral(right))
        return false;
    Promote(left, right);
    left = TExpr::FromInt(Wrap(combine(uint32_t(left.Int), uint32_t(right.Int))));
    return true;
}

bool ShiftLeft(TExpr& l, TExpr& r)
{
    return Bitwise(l, r, [](uint32_t a, uint32_t b) { return a << (b & 31); });
}
bool ShiftRight(TExpr& l, TExpr& r)
{
    return Bitwise(l, r, [](uint32_t a, uint32_t b) { return a >> (b & 31); });
}
bool BitAnd(TExpr& l, TExpr& r)
{
    return Bitwise(l, r, [](uint32_t a, uint32_t b) { return a & b; });
}
bool BitOr(TExpr& l, TExpr& r)
{
    return Bitwise(l, r, [](uint32_t a, uint32_t b) { return a | b; });
}
bool BitXor(TExpr& l, TExpr& r)
{
    return Bitwise(l, r, [](uint32_t a, uint32_t b) { return a ^ b; });
}

// Promotes for an arithmetic operator; false when a string takes part.
bool PromoteNumbers(TExpr& left, TExpr& right) { return Promote(left, right) != ekString; }

bool Power(TExpr& left, TExpr& right)
{
    if (left.IsNull() || !PromoteNumbers(left, right))
        return false;
    const bool integer = left.Kind == ekInt;
    const double base = integer ? left.Int : left.Float;
    const double exponent = integer ? right.Int : right.Float;
    if (base == 0)
        RaiseFloatDivisionByZero();
    if (base < 0)
        RaiseInvalidFloatOperation();
    const double result = CheckedFloat(std::pow(base, exponent));
    left = integer ? TExpr::FromInt(ExprRoundToInt(result)) : TExpr::FromFloat(result);
    return true;
}

bool Multiply(TExpr& left, TExpr& right)
{
    if (left.IsNull() || !PromoteNumbers(left, right))
        return false;
    if (left.Kind == ekInt)
        left.Int = Wrap(uint32_t(left.Int) * uint32_t(right.Int));
    else
        left.Float = CheckedFloat(left.Float * right.Float);
    return true;
}

bool Divide(TExpr& left, TExpr& right)
{
    if (left.IsNull() || !PromoteNumbers(left, right))
        return false;
    if (left.Kind == ekInt) {
        if (right.Int == 0)
            RaiseDivisionByZero();
        // The one quotient outside the range wraps to itself instead of trapping.
        if (right.Int != -1)
            left.Int /= right.Int;
        else
            left.Int = Wrap(0u - uint32_t(left.Int));
    } else {
        if (right.Float == 0)
            RaiseFloatDivisionByZero();
        left.Float = CheckedFloat(left.Float / right.Float);
    }
    return true;
}

bool Modulo(TExpr& left, TExpr& right)
{
    if (left.IsNull() || Promote(left, right) != ekInt)
        return false;
    if (right.Int == 0)
        RaiseDivisionByZero();
    left.Int = right.Int == -1 ? 0 : left.Int % right.Int;
    return true;
}

bool Add(TExpr& left, TExpr& right)
{
    if (left.IsNull())
        return false;
    switch (Promote(left, right)) {
    case ekInt:
        left.Int = Wrap(uint32_t(left.Int) + uint32_t(right.Int));
        break;
    case ekFloat:
        left.Float = CheckedFloat(left.Float + right.Float);
        break;
    default:
        CheckStringLength(left.Str.size() + right.Str.size());
        left.Str.append(right.Str);
    }
    return true;
}

// A missing Left counts as 0, which makes the prefix minus.
bool Subtract(TExpr& left, TExpr& right)
{
    if (!PromoteNumbers(left, right))
        return false;
    if (left.Kind == ekInt)
        left.Int = Wrap(uint32_t(left.Int) - uint32_t(right.Int));
    else
        left.Float = CheckedFloat(left.Float - right.Float);
    return true;
}

template <typename Test> bool Compare(TExpr& left, TExpr& right, Test test)
{
    if (left.IsNull())
        return false;
    std::partial_ordering order = std::partial_ordering::equivalent;
    switch (Promote(left, right)) {
    case ekInt:
        order = left.Int <=> right.Int;
        break;
    case ekFloat:
        order = left.Float <=> right.Float;
        break;
    default: {
        // Byte order, unsigned; a proper prefix is smaller.
        const size_t common = size_t(std::min(left.Str.size(), right.Str.size()));
        const int bytes = common ? std::memcmp(left.Str.constData(), right.Str.constData(), common) : 0;
        order = bytes != 0 ? bytes <=> 0 : left.Str.size() <=> right.Str.size();
    }
    }
    left = TExpr::FromBool(test(order));
    return true;
}

bool Equal(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_eq(o); });
}
bool NotEqual(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_neq(o); });
}
bool Less(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_lt(o); });
}
bool LessEqual(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_lteq(o); });
}
bool Greater(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_gt(o); });
}
bool GreaterEqual(TExpr& l, TExpr& r)
{
    return Compare(l, r, [](std::partial_ordering o) { return std::is_gteq(o); });
}

bool Not(TExpr& left, TExpr& right)
{
    if (!left.IsNull() || right.Kind != ekBool)
        return false;
    left = TExpr::FromBool(!right.Bool);
    return true;
}

template <typename Combine> bool Logical(TExpr& left, TExpr& right, Combine combine)
{
    if (left.Kind != ekBool || right.Kind != ekBool)
        return false;
    left.Bool = combine(left.Bool, right.Bool);
    return true;
}

bool LogicalAnd(TExpr& l, TExpr& r)
{
    return Logical(l, r, [](bool a, bool b) { return a && b; });
}
bool LogicalOr(TExpr& l, TExpr& r)
{
    return Logical(l, r, [](bool a, bool b) { return a || b; });
}
bool LogicalXor(TExpr& l, TExpr& r)
{
    return Logical(l, r, [](bool a, bool b) { return a != b; });
}

// Bitwise operators bind tighter than arithmetic; "!" sits between arithmetic and the comparisons.
const TOperation Operations[] = {
    { "~", 14, Complement },
    { "<<", 13, ShiftLeft },
    { ">>", 13, ShiftRight },
    { "&", 12, BitAnd },
    { "|", 12, BitOr },
    { "^", 12, BitXor },
    { "**", 9, Power },
    { "*", 7, Multiply },
    { "/", 7, Divide },
    { "%", 7, Modulo },
    { "+", 5, Add },
    { "-", 5, Subtract },
    { "!", 3, Not },
    { "==", 2, Equal },
    { "!=", 2, NotEqual },
    { "<", 2, Less },
    { "<=", 2, LessEqual },
    { ">", 2, Greater },
    { ">=", 2, GreaterEqual },
    { "&&", 1, LogicalAnd },
    { "||", 1, LogicalOr },
    { "^^", 1, LogicalXor },
};

} // namespace

const TOperation* FindOperation(QByteArrayView symbol)
{
    for (const TOperation& operation : Operations)
        if (symbol == QByteArrayView(operation.Symbol))
            return &operation;
    return nullptr;
}

bool IsOperatorChar(char c) { return c != 0 && std::strchr("!#$%&*+-/<=>?\\^_`|~@", c) != nullptr; }

} // namespace quillo
