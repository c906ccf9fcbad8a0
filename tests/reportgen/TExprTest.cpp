#include "reportgen/TExpr.h"
#include "testutil/QtPrinters.h"
#include "tree/EKelError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quillo;

namespace {

struct Conversion {
    TExpr From;
    TExprKind To;
    const char* Expected; // as DescribeExpr writes it
};

TExpr Str(const char* text) { return TExpr::FromString(text); }

TEST(TExprTest, ConvertsBetweenEveryPairOfKinds)
{
    const Conversion cases[] = {
        { TExpr(), ekBool, "bool false" },
        { TExpr(), ekInt, "int 0" },
        { TExpr(), ekFloat, "float  0.00000000000000E+0000" },
        { TExpr(), ekString, "string " },
        { TExpr::FromBool(true), ekInt, "int 1" },
        { TExpr::FromBool(true), ekFloat, "float  1.00000000000000E+0000" },
        { TExpr::FromBool(false), ekString, "string 0" },
        { TExpr::FromBool(true), ekString, "string 1" },
        { TExpr::FromInt(0), ekBool, "bool false" },
        { TExpr::FromInt(-3), ekBool, "bool true" },
        { TExpr::FromInt(-42), ekFloat, "float -4.20000000000000E+0001" },
        { TExpr::FromInt(-42), ekString, "string -42" },
        { TExpr::FromFloat(0.0), ekBool, "bool false" },
        { TExpr::FromFloat(1e-300), ekBool, "bool true" },
        { TExpr::FromFloat(std::nan("")), ekBool, "bool false" },
        { TExpr::FromFloat(2.5), ekInt, "int 2" },
        { TExpr::FromFloat(3.5), ekInt, "int 4" },
        { TExpr::FromFloat(-2.5), ekInt, "int -2" },
        { TExpr::FromFloat(-2.6), ekInt, "int -3" },
        { TExpr::FromFloat(4294967297.0), ekInt, "int 1" },
        { TExpr::FromFloat(2147483648.0), ekInt, "int -2147483648" },
        { TExpr::FromFloat(-4294967296.0 * 3 - 5), ekInt, "int -5" },
        { Str(""), ekBool, "bool false" },
        { Str("0"), ekBool, "bool true" },
        { Str("FALSE"), ekBool, "bool true" },
        { Str("  -17"), ekInt, "int -17" },
        { Str("+5"), ekInt, "int 5" },
        { Str("$ff"), ekInt, "int 255" },
        { Str("x10"), ekInt, "int 16" },
        { Str("0X10"), ekInt, "int 16" },
        { Str("-$10"), ekInt, "int -16" },
        { Str("$FFFFFFFF"), ekInt, "int -1" },
        { Str("-2147483648"), ekInt, "int -2147483648" },
        { Str("2147483647"), ekInt, "int 2147483647" },
        { Str("1.5"), ekFloat, "float  1.50000000000000E+0000" },
        { Str(" -.5"), ekFloat, "float -5.00000000000000E-0001" },
        { Str("3."), ekFloat, "float  3.00000000000000E+0000" },
        { Str("1e3"), ekFloat, "float  1.00000000000000E+0003" },
        { Str("2.5E-2"), ekFloat, "float  2.50000000000000E-0002" },
        { Str("1e-400"), ekFloat, "float  0.00000000000000E+0000" },
        { Str("12"), ekString, "string 12" },
        { Str("x"), ekNull, "null" },
        { TExpr::FromInt(7), ekNull, "null" },
    };
    for (const Conversion& c : cases) {
        TExpr value = c.From;
        ConvertExpr(value, c.To);
        EXPECT_EQ(DescribeExpr(value), QByteArray(c.Expected)) << "from " << DescribeExpr(c.From).constData();
        if (c.To != ekString) {
            EXPECT_TRUE(value.Str.isEmpty());
        }
    }
}

TEST(TExprTest, RefusesTextThatIsNoNumber)
{
    const char* notIntegers[]
        = { "", " ", "1.0", "12a", "1 ", "- 1", "$", "0x", "$100000000", "2147483648", "-2147483649", "1e3" };
    for (const char* text : notIntegers) {
        TExpr value = Str(text);
        try {
            ConvertExpr(value, ekInt);
            ADD_FAILURE() << "accepted as integer: '" << text << "'";
        } catch (const EKelError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(text)));
        }
    }
    const char* notFloats[] = { "", ".", "1,5", "1.5x", "e5", "1e", "1e+", "--1", "1e400", "0x10", "1.5 " };
    for (const char* text : notFloats) {
        TExpr value = Str(text);
        try {
            ConvertExpr(value, ekFloat);
            ADD_FAILURE() << "accepted as float: '" << text << "'";
        } catch (const EKelError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("%1 isn't a valid float").arg(QLatin1String(text)));
        }
    }
}

TEST(TExprTest, FloatTextHasTwentyThreeCharactersAndReadsBack)
{
    const struct {
        double Value;
        const char* Text;
    } cases[] = {
        { 1.5, " 1.50000000000000E+0000" },
        { -0.25, "-2.50000000000000E-0001" },
        { 0.1, " 1.00000000000000E-0001" },
        { 0.0, " 0.00000000000000E+0000" },
        { -0.0, " 0.00000000000000E+0000" },
        { 123456789012345678.0, " 1.23456789012346E+0017" },
        { 9.999999999999999, " 1.00000000000000E+0001" },
        { 1e300, " 1.00000000000000E+0300" },
        { -5e-324, "-4.94065645841247E-0324" },
        { std::numeric_limits<double>::max(), " 1.79769313486232E+0308" },
    };
    for (const auto& c : cases) {
        const QByteArray text = ExprFloatToString(c.Value);
        EXPECT_EQ(text, QByteArray(c.Text));
        EXPECT_EQ(text.size(), 23);
    }
    for (double value : { 1.5, -0.25, 1e-5, 123.456, -987654.321, 3.14159265358979 }) {
        const std::optional<double> back = ExprStringToFloat(ExprFloatToString(value));
        ASSERT_TRUE(back.has_value());
        EXPECT_DOUBLE_EQ(*back, value);
    }
}

TEST(TExprTest, UpperCaseOfNamesKeepsInvalidBytes)
{
    EXPECT_EQ(ExprUpperCase("abc_1"), QByteArray("ABC_1"));
    EXPECT_EQ(ExprUpperCase("größe"), QByteArray("GRÖSSE"));
    EXPECT_EQ(ExprUpperCase("a\xff"), QByteArray("A\xff"));
}

} // namespace
