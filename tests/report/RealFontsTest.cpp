// Layout with the real font metrics of DejaVu Sans. Glyph widths differ slightly between font
// versions and hinting, so sizes are checked within stated tolerances.
#include "ReportTesting.h"

#include "report/TLabelPigger.h"

using namespace quillo;

namespace {

class RealFonts : public ::testing::Test {
protected:
    const TLabelPigger& Label(const QByteArray& label, int dpi = 96)
    {
        device = testutil::DeviceAt(dpi);
        report.Load(
            "<REPORT><HEAD><FONT FACE=\"DejaVu Sans\"/><FONT NAME=\"big\" FACE=\"DejaVu Sans\" SIZE=\"20\"/></HEAD>"
            "<BODY><BAND>"
            + label + "</BAND></BODY></REPORT>");
        report.PrepareLayout(&device);
        return *dynamic_cast<TLabelPigger*>(report.Body()->Child(0)->Child(0));
    }

    TReportPigger report;
    QImage device;
};

} // namespace

TEST_F(RealFonts, TenPointTextAt96Dpi)
{
    // DejaVu Sans at 13 pixels: "Hello" is about 34 pixels wide, a line about 15 high (within 20 %).
    const TLabelPigger& label = Label("<LABEL TEXT=\"Hello\"/>");
    EXPECT_NEAR(label.Rect().Width(), 34, 7);
    EXPECT_NEAR(label.Rect().Height(), 15, 3);
}

TEST_F(RealFonts, SizesScaleWithPointsAndResolution)
{
    const int small = Label("<LABEL TEXT=\"Hello world\"/>").Width();
    const int big = Label("<LABEL FONT=\"big\" TEXT=\"Hello world\"/>").Width();
    const int fine = Label("<LABEL TEXT=\"Hello world\"/>", 300).Width();
    // Twice the points, twice the width; 300 DPI about 3.1 times 96 DPI (hinting rounds: within 10 %).
    EXPECT_NEAR(double(big) / small, 2.0, 0.2);
    EXPECT_NEAR(double(fine) / small, 300.0 / 96, 0.31);
}

TEST_F(RealFonts, WordWrapBreaksInAGivenWidth)
{
    const TLabelPigger& one = Label("<LABEL TEXT=\"one two three four\"/>");
    const int lineHeight = one.Rect().Height();
    const TLabelPigger& wrapped = Label("<LABEL WIDTH=\"12\" WORDWRAP=\"YES\" TEXT=\"one two three four\"/>");
    // 12 mm (45 pixels) hold one or two words a line.
    EXPECT_GE(wrapped.Rect().Height(), 2 * lineHeight);
    EXPECT_LE(wrapped.Rect().Height(), 4 * lineHeight);
    EXPECT_EQ(wrapped.Rect().Width(), 45);
}
