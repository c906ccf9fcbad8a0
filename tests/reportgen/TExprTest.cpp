#include "ExprTesting.h"

#include <limits>

using namespace quillo;

namespace {

using ConversionTest = quillo::testutil::ExprTest;

// INT, BOOL, FLOAT and STRING are the conversions themselves.
TEST_F(ConversionTest, BetweenEveryPairOfKinds)
{
    // From null and from bool.
    CheckAll({
        { "BOOL(NULL)", "bool false" },
        { "INT(NULL)", "int 0" },
        { "FLOAT(NULL)", "float  0.00000000000000E+0000" },
        { "STRING(NULL)", "string " },
        { "INT(TRUE)", "int 1" },
        { "FLOAT(TRUE)", "float  1.00000000000000E+0000" },
        { "STRING(FALSE)", "string 0" },
        { "STRING(TRUE)", "string 1" },
        // From numbers; floats round halves to even and keep the low 32 bits.
        { "BOOL(0)", "bool false" },
        { "BOOL(-3)", "bool true" },
        { "BOOL(0.0)", "bool false" },
        { "BOOL(0.4)", "bool true" },
        { "FLOAT(-42)", "float -4.20000000000000E+0001" },
        { "STRING(-42)", "string -42" },
        { "STRING(0.1)", "string  1.00000000000000E-0001" },
        { "INT(2.5)", "int 2" },
        { "INT(3.5)", "int 4" },
        { "INT(-2.5)", "int -2" },
        { "INT(-2.6)", "int -3" },
        { "INT(4294967297.0)", "int 1" },
        { "INT(2147483648.0)", "int -2147483648" },
        { "INT(-12884901893.0)", "int -5" },
        // From strings: any text but the empty one is true; numbers are read whatever the locale.
        { "BOOL('')", "bool false" },
        { "BOOL('0')", "bool true" },
        { "BOOL('FALSE')", "bool true" },
        { "INT('  -17')", "int -17" },
        { "INT('+5')", "int 5" },
        { "INT('$ff')", "int 255" },
        { "INT('x10')", "int 16" },
        { "INT(' 0X1f')", "int 31" },
        { "INT('-$10')", "int -16" },
        { "INT('$FFFFFFFF')", "int -1" },
        { "INT('-2147483648')", "int -2147483648" },
        { "INT('2147483647')", "int 2147483647" },
        { "FLOAT('1.5')", "float  1.50000000000000E+0000" },
        { "FLOAT(' -.5')", "float -5.00000000000000E-0001" },
        { "FLOAT('3.')", "float  3.00000000000000E+0000" },
        { "FLOAT('1e3')", "float  1.00000000000000E+0003" },
        { "FLOAT('2.5E-2')", "float  2.50000000000000E-0002" },
        { "FLOAT('1e-400')", "float  0.00000000000000E+0000" },
    });
}

TEST(ConversionErrorTest, RefusesTextThatIsNoNumber)
{
    const auto message = [](const char* text, TExprKind kind) {
        TExpr value = TExpr::FromString(text);
        try {
            ConvertExpr(value, kind);
            return QStringLiteral("accepted");
        } catch (const EKelError& error) {
            return error.Message();
        }
    };
    for (const char* text :
        { "", " ", "1.0", "12a", "1 ", "- 1", "$", "0x", "$100000000", "2147483648", "-2147483649", "1e3" })
        EXPECT_EQ(message(text, ekInt), QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(text)));
    for (const char* text : { "", ".", "1,5", "1.5x", "e5", "1e", "1e+", "--1", "1e400", "0x10", "1.5 " })
        EXPECT_EQ(message(text, ekFloat), QStringLiteral("%1 isn't a valid float").arg(QLatin1String(text)));
}

TEST(FloatTextTest, HasTwentyThreeCharactersAndReadsBack)
{
    const struct {
        double Value;
        const char* Text;
    } cases[] = {
        { 1.5, " 1.50000000000000E+0000" },
        { -0.25, "-2.50000000000000E-0001" },
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

} // namespace
