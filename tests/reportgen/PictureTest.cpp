#include "ExprTesting.h"

#include "reportgen/DatePicture.h"
#include "reportgen/NumberPicture.h"

using namespace quillo;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

struct NumberCase {
    const char* Picture;
    double Value;
    const char* English;
    const char* German;
};

TEST(NumberPictureTest, DigitPositionsSeparatorsAndSections)
{
    const NumberCase cases[] = {
        { "0", 2.5, "3", "3" },
        { "0", -2.5, "-3", "-3" },
        { "0.00", 0.125, "0.13", "0,13" },
        { "0.00", 2.675, "2.68", "2,68" },
        { "#.##", 0.5, ".5", ",5" },
        { "#.##", 1, "1", "1" },
        { "0.0#", 1.5, "1.5", "1,5" },
        { "0.0#", 1.25, "1.25", "1,25" },
        { "000", 7, "007", "007" },
        { "#,##0.00", 1234567.891, "1,234,567.89", "1.234.567,89" },
        { "#,##0", -1000, "-1,000", "-1.000" },
        { "##", 12345, "12345", "12345" },
        { "0-00", 12345, "123-45", "123-45" },
        { "'Total: '0.0' EUR'", 3.14159, "Total: 3.1 EUR", "Total: 3,1 EUR" },
        { "\"#\"0", 5, "#5", "#5" },
        { "0.00;(0.00)", -12.5, "(12.50)", "(12,50)" },
        { "0;-0;'zero'", 0, "zero", "zero" },
        { "0;-0;'zero'", 0.2, "zero", "zero" },
        { "0.0;;'zero'", -3, "-3.0", "-3,0" },
        { "0", -0.2, "0", "0" },
        { "0.00E+00", 1234.5, "1.23E+03", "1,23E+03" },
        { "0.00E+00", 0.000123, "1.23E-04", "1,23E-04" },
        { "0.0e-0", 1234.5, "1.2e3", "1,2e3" },
        { "0.0E-000", 0.05, "5.0E-002", "5,0E-002" },
        { "00.0E+0", 1234.5, "12.3E+2", "12,3E+2" },
        { "0.00E+00", 0, "0.00E+00", "0,00E+00" },
        { "0E+0 '=' 00.#", 5, "5E+0 = 00.#", "5E+0 = 00.#" },
        { "0.00E+00", 9.999, "1.00E+01", "1,00E+01" },
        { "#,##0.0E+0", 1234567, "1234.6E+3", "1234,6E+3" },
        { "0", 1e20, "100000000000000000000", "100000000000000000000" },
        { "", 1.5, "1.5", "1,5" },
        { "", -1234567.25, "-1234567.25", "-1234567,25" },
        { "", 1e20, "1E20", "1E20" },
        { "", 0.0001, "0.0001", "0,0001" },
        { "", 0.00001, "1E-5", "1E-5" },
        { "", 0, "0", "0" },
        { "", 1.0 / 3, "0.333333333333333", "0,333333333333333" },
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(NumberPicture::Format(QString::fromUtf8(c.Picture), c.Value, English), QString::fromUtf8(c.English))
            << c.Picture << " " << c.Value;
        EXPECT_EQ(NumberPicture::Format(QString::fromUtf8(c.Picture), c.Value, German), QString::fromUtf8(c.German))
            << c.Picture << " " << c.Value;
    }
}

struct DateCase {
    const char* Picture;
    const char* English;
    const char* German;
};

TEST(DatePictureTest, ElementsInTheUsersLocale)
{
    // Wednesday 15 March 2023, 14:05:09.007
    const double serial = 45000 + (14 * 3600 + 5 * 60 + 9.007) / 86400;
    const DateCase cases[] = {
        { "d/m/yy", "15/3/23", "15.3.23" },
        { "dd.mm.yyyy", "15.03.2023", "15.03.2023" },
        { "DD-MM-YYYY", "15-03-2023", "15-03-2023" },
        { "ddd dddd", "Wed Wednesday", "Mi. Mittwoch" },
        { "mmm mmmm", "Mar March", "März März" },
        { "h:n:s.z", "14:5:9.7", "14:5:9.7" },
        { "hh:nn:ss.zzz", "14:05:09.007", "14:05:09.007" },
        { "hh:mm", "14:05", "14:05" },
        { "h 'h' mm", "14 h 05", "14 h 05" },
        { "mm hh", "03 14", "03 14" },
        { "hh mmm", "14 Mar", "14 März" },
        { "h:nn am/pm", "2:05 pm", "2:05 pm" },
        { "h:nn AM/PM", "2:05 PM", "2:05 PM" },
        { "h a/p", "2 p", "2 p" },
        { "h ampm", "2 PM", "2 PM" },
        { "am/pm hh", "pm 02", "pm 02" },
        { "\"it's\" h a/p", "it's 2 p", "it's 2 p" },
        { "'am/pm' h", "am/pm 14", "am/pm 14" },
        { "'dd' \"mm\" yyyy", "dd mm 2023", "dd mm 2023" },
        { "ddddd", "3/15/23", "15.03.23" },
        { "dddddd", "Wednesday, March 15, 2023", "Mittwoch, 15. März 2023" },
        { "t", "2:05 PM", "14:05" },
        { "tt", "2:05:09 PM", "14:05:09" },
        { "c", "3/15/23 2:05:09 PM", "15.03.23 14:05:09" },
        { "", "3/15/23 2:05:09 PM", "15.03.23 14:05:09" },
        { "x q! yyyy", "x q! 2023", "x q! 2023" },
    };
    for (const DateCase& c : cases) {
        EXPECT_EQ(DatePicture::Format(QString::fromUtf8(c.Picture), serial, English), QString::fromUtf8(c.English))
            << c.Picture;
        EXPECT_EQ(DatePicture::Format(QString::fromUtf8(c.Picture), serial, German), QString::fromUtf8(c.German))
            << c.Picture;
    }
}

TEST(DatePictureTest, MidnightAndTwelveHourEdges)
{
    EXPECT_EQ(DatePicture::Format(QStringLiteral("c"), 45000, English), QStringLiteral("3/15/23"));
    EXPECT_EQ(DatePicture::Format(QStringLiteral("h am/pm"), 45000, English), QStringLiteral("12 am"));
    EXPECT_EQ(DatePicture::Format(QStringLiteral("h am/pm"), 45000.5, English), QStringLiteral("12 pm"));
    EXPECT_EQ(DatePicture::Format(QStringLiteral("yyyy-mm-dd"), -1.5, English), QStringLiteral("1899-12-29"));
    EXPECT_THROW(DatePicture::Format(QStringLiteral("c"), 1e9, English), EKelError);
}

// The functions themselves read the default locale, which tests may choose.
using PictureFunctionsTest = quillo::testutil::ExprTest;

TEST_F(PictureFunctionsTest, UseTheDefaultLocaleAndConvertTheirArguments)
{
    const QLocale saved;
    QLocale::setDefault(German);
    CheckAll({
        { "FORMATFLOAT('#,##0.00', '1234.5')", "string 1.234,50" },
        { "FORMATDATETIME('dd/mm/yyyy', 45000)", "string 15.03.2023" },
        { "FORMATFLOAT(0, 2.5)", "string 3" },
        { "FORMATFLOAT('0', 'x')", "error: x isn't a valid float" },
    });
    QLocale::setDefault(saved);
}

} // namespace
