#include "ExprTesting.h"

#include "reportgen/BuiltinFunctions.h"
#include "reportgen/DateTimeSerial.h"

#include <QDateTime>

using namespace quillo;

namespace {

using BuiltinFunctionsTest = quillo::testutil::ExprTest;

TEST_F(BuiltinFunctionsTest, ChoicesNumbersAndDigits)
{
    CheckAll({
        { "NULL", "null" },
        { "False()", "bool false" },
        { "ISNULL('')", "bool false" },
        { "ISNULL(NULL(), 'x')", "string x" },
        { "ISNULL(0, 'x')", "int 0" },
        { "ISNULL(NULL(), NULL())", "null" },
        { "IIF(1, 'y', 'n')", "string y" },
        { "IIF('', 'y', 'n')", "string n" },
        { "IIF(GETVAR('never'), 'y', 'n')", "string n" },
        { "CASE(0, 'a', 'b')", "string a" },
        { "CASE('1', 'a', 'b')", "string b" },
        { "CASE(1.5, 'a', 'b', 'c')", "string c" },
        { "CASE(2, 'a', 'b')", "error: Error in function: CASE. Position 1" },
        { "CASE(-1, 'a', 'b')", "error: Error in function: CASE. Position 1" },
        { "CASE('x', 'a')", "error: 'x' is not a valid integer value" },
        // HEX and BIN pad but never cut.
        { "HEX(255, 4)", "string 00FF" },
        { "HEX(255, 1)", "string FF" },
        { "HEX(-1, 2)", "string FFFFFFFF" },
        { "HEX(0, 0)", "string 0" },
        { "HEX('10', -5)", "string A" },
        { "BIN(5, 8)", "string 00000101" },
        { "BIN(5, 0)", "string 101" },
        { "BIN(0, 0)", "string " },
        { "BIN(0, 3)", "string 000" },
        { "BIN(-1, 0)", "string 11111111111111111111111111111111" },
        { "HEX(1, 2000000000)", "error: String value too long" },
        { "TRUNC(-2.7)", "int -2" },
        { "TRUNC('3.9')", "int 3" },
        { "ROUND(-2.5)", "int -2" },
        { "ROUND(2.5)", "int 2" },
        { "ROUND(3.5)", "int 4" },
        { "FRAC(2.75)", "float  7.50000000000000E-0001" },
        { "FRAC(-1.25)", "float -2.50000000000000E-0001" },
        { "ABS(-3)", "float  3.00000000000000E+0000" },
        { "ABS(TRUE)", "float  1.00000000000000E+0000" },
        // SUBSTR counts characters of the UTF-8 text; a byte that starts no character is one of its own.
        { "SUBSTR('abcdef', 0, 2)", "string ab" },
        { "SUBSTR('abcdef', -5, 2)", "string ab" },
        { "SUBSTR('abcdef', 2, 3)", "string bcd" },
        { "SUBSTR('abcdef', 5, 10)", "string ef" },
        { "SUBSTR('abc', 4, 1)", "string " },
        { "SUBSTR('abc', 1, -1)", "string " },
        { "SUBSTR(12345, '2', 2.4)", "string 23" },
        { "SUBSTR('äöü€x', 2, 3)", "string öü€" },
        { "SUBSTR('😀a', 1, 1)", "string 😀" },
        { "SUBSTR('😀a', 2, 1)", "string a" },
        { "SUBSTR('a\xc3', 2, 1)", "string \xc3" },
        { "SUBSTR('\xe2\x82x', 1, 1)", "string \xe2" },
    });
}

TEST_F(BuiltinFunctionsTest, IntegerArgumentsAtTheirExtremes)
{
    CheckAll({
        { "SUBSTR('abc', -2147483647 - 1, 2)", "string ab" },
        { "SUBSTR('abc', 2147483647, 1)", "string " },
        { "SUBSTR('abc', 2, 2147483647)", "string bc" },
        { "SUBSTR('abc', 1, -2147483647 - 1)", "string " },
        { "HEX(255, -2147483647 - 1)", "string FF" },
        { "BIN(1, 2147483647)", "error: String value too long" },
        { "CASE(-2147483647 - 1, 'a')", "error: Error in function: CASE. Position 1" },
        { "CASE(2147483647, 'a')", "error: Error in function: CASE. Position 1" },
        { "TRUNC(2147483648.0)", "int -2147483648" },
        { "ROUND(-4294967296.0 - 1)", "int -1" },
        { "FORMATDATETIME('yyyy', -693593.5)", "string 0001" },
        { "FORMATDATETIME('yyyy', -693595)", "error: Date-time value out of range" },
        { "FORMATDATETIME('yyyy', 2958465.99)", "string 9999" },
        { "FORMATDATETIME('yyyy', 2958466)", "error: Date-time value out of range" },
        { "FORMATDATETIME('yyyy', 10.0 ** 300)", "error: Date-time value out of range" },
    });
}

TEST_F(BuiltinFunctionsTest, ResultsLongerThanTheStringLimitAreRefused)
{
    // Each "c" writes a whole date and time: a picture within the limit builds a far longer result.
    generator.SetVar("picture", TExpr::FromString(QByteArray(4 * 1024 * 1024, 'c')));
    EXPECT_EQ(Run("FORMATDATETIME(GETVAR('picture'), 0.5)"), QByteArray("error: String value too long"));
    generator.SetVar("picture", TExpr::FromString("#," + QByteArray(13 * 1024 * 1024, '0')));
    EXPECT_EQ(Run("FORMATFLOAT(GETVAR('picture'), 1)"), QByteArray("error: String value too long"));
}

TEST_F(BuiltinFunctionsTest, ArgumentCountsAreChecked)
{
    // Each function with one count it refuses.
    const char* refused[] = { "NULL(1)", "TRUE(1)", "FALSE(1)", "INT()", "BOOL(1, 2)", "FLOAT()", "STRING(1, 2)",
        "ISNULL()", "ISNULL(1, 2, 3)", "IIF(1, 2)", "CASE(0)", "HEX(1)", "BIN(1, 2, 3)", "SUBSTR('a', 1)", "FRAC()",
        "TRUNC(1, 2)", "ROUND()", "ABS(1, 2)", "DATE(1)", "FORMATFLOAT('0')", "FORMATDATETIME('c', 1, 2)" };
    for (const char* text : refused) {
        const QByteArray name = QByteArray(text).left(QByteArray(text).indexOf('('));
        EXPECT_EQ(Run(text), "error: Error in function: " + name + ". Position 1");
    }
    EXPECT_EQ(BuiltinFunctions().size(), 20u);
}

TEST_F(BuiltinFunctionsTest, DateIsNowWithTheTimeOfDay)
{
    const double before = DateTimeSerial::FromDateTime(QDateTime::currentDateTime());
    const TExpr now = generator.Evaluate("DATE");
    const double after = DateTimeSerial::FromDateTime(QDateTime::currentDateTime());
    ASSERT_EQ(now.Kind, ekFloat);
    EXPECT_GE(now.Float, before);
    EXPECT_LE(now.Float, after);
}

TEST(DateTimeSerialTest, CountsDaysFromTheEndOf1899)
{
    const struct {
        double Serial;
        QDateTime Moment;
    } cases[] = {
        { 0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC) },
        { 2.25, QDateTime(QDate(1900, 1, 1), QTime(6, 0), Qt::UTC) },
        { 45000.5, QDateTime(QDate(2023, 3, 15), QTime(12, 0), Qt::UTC) },
        { -1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC) },
        { 0.99999999999, QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59, 999), Qt::UTC) },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateTimeSerial::ToDateTime(c.Serial), c.Moment) << c.Serial;
        EXPECT_NEAR(DateTimeSerial::FromDateTime(c.Moment), c.Serial, 1.2e-8); // within a millisecond
    }
    EXPECT_THROW(DateTimeSerial::ToDateTime(1e10), EKelError);
    EXPECT_THROW(DateTimeSerial::ToDateTime(-1e10), EKelError);
}

} // namespace
