// The renderer drawn into images of a fixed resolution: pixels and geometry.
#include "ReportTesting.h"
#include "report/TKelReport.h"
#include "report/TLabelPigger.h"
#include "report/TZippedBitmap.h"
#include "testutil/ErrorMessage.h"
#include "testutil/QtPrinters.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace quillo {
namespace {

using testutil::DeviceAt;
using testutil::ErrorOf;

const QByteArray Head = "<HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"12\"/></HEAD>";

QByteArray Report(const QByteArray& body, const QByteArray& images = {})
{
    return "<REPORT>" + Head + images + "<BODY>" + body + "</BODY></REPORT>";
}

// An A4 page at 96 DPI, white.
QImage Canvas(int width = 794, int height = 1123)
{
    QImage image = DeviceAt(96).scaled(width, height);
    image.fill(Qt::white);
    return image;
}

// The leftmost column holding a pixel darker than mid grey, or -1.
int FirstDarkColumn(const QImage& image)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

// How many pixels of the row have exactly that colour.
int CountInRow(const QImage& image, int y, QRgb color)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF) ? 1 : 0;
    return count;
}

class Renderer : public ::testing::Test {
protected:
    QImage Draw(const QByteArray& body, int width = 794, const QByteArray& images = {})
    {
        report.LoadFromString(Report(body, images));
        QImage image = Canvas(width);
        QPainter painter(&image);
        report.DrawPage(painter, 0, QRect(), QPoint(0, 0));
        return image;
    }

    TKelReport report;
};

TEST_F(Renderer, SettingsOutOfRangeKeepTheirValueAndNameTheSetting)
{
    const struct {
        std::function<void(TKelReport&)> set;
        std::function<int(const TKelReport&)> get;
        int before;
        const char* message;
    } cases[] = {
        { [](TKelReport& r) { r.SetPrintZoom(9); }, [](const TKelReport& r) { return r.PrintZoom(); }, 100,
            "Invalid zoom" },
        { [](TKelReport& r) { r.SetPrintZoom(401); }, [](const TKelReport& r) { return r.PrintZoom(); }, 100,
            "Invalid zoom" },
        { [](TKelReport& r) { r.SetDisplayZoom(5); }, [](const TKelReport& r) { return r.DisplayZoom(); }, 100,
            "Invalid zoom" },
        { [](TKelReport& r) { r.SetPageSizeLo(9); }, [](const TKelReport& r) { return r.PageSizeLo(); }, 210,
            "Invalid page size" },
        { [](TKelReport& r) { r.SetPageSizeHi(0); }, [](const TKelReport& r) { return r.PageSizeHi(); }, 297,
            "Invalid page size" },
        { [](TKelReport& r) { r.SetLeftMargin(-1); }, [](const TKelReport& r) { return r.LeftMargin(); }, 0,
            "Invalid margin" },
        { [](TKelReport& r) { r.SetBottomMargin(-5); }, [](const TKelReport& r) { return r.BottomMargin(); }, 0,
            "Invalid margin" },
        { [](TKelReport& r) { r.SetIntersectSize(21); }, [](const TKelReport& r) { return r.IntersectSize(); }, 0,
            "InvalidIntersectionSize" },
        { [](TKelReport& r) { r.SetIntersectSize(-1); }, [](const TKelReport& r) { return r.IntersectSize(); }, 0,
            "InvalidIntersectionSize" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf([&] { c.set(report); }), QString::fromLatin1(c.message));
        EXPECT_EQ(c.get(report), c.before);
    }
    EXPECT_EQ(ErrorOf([&] {
        report.SetPrintZoom(10);
        report.SetDisplayZoom(400);
        report.SetIntersectSize(20);
        report.SetPageSizeLo(10);
    }),
        QString());
}

TEST_F(Renderer, OnlyAChangedSettingInvalidatesTheLayout)
{
    QImage device = DeviceAt(96);
    report.LoadFromString(Report("<BAND HEIGHT=\"10\"/>"));
    EXPECT_TRUE(report.LayoutInvalid());
    ASSERT_EQ(report.PageCount(&device), 1);
    EXPECT_FALSE(report.LayoutInvalid());
    report.SetDisplayZoom(100);
    report.SetLeftMargin(0);
    EXPECT_FALSE(report.LayoutInvalid());
    report.SetDisplayZoom(200);
    EXPECT_TRUE(report.LayoutInvalid());
    report.PageCount(&device);
    EXPECT_FALSE(report.LayoutInvalid());
    // Another resolution is another layout.
    QImage printer = DeviceAt(300);
    report.PageCount(&printer);
    EXPECT_EQ(report.PageRect(&printer, 0).width(), 2 * std::lround(210 * 300 / 25.4));
}

TEST_F(Renderer, PageIndexOutsideThePagesIsRefused)
{
    QImage device = DeviceAt(96);
    report.LoadFromString(Report("<BAND HEIGHT=\"10\"/>"));
    EXPECT_EQ(ErrorOf([&] { report.PageRect(&device, 1); }), QStringLiteral("Invalid page index"));
    EXPECT_EQ(ErrorOf([&] { report.PageRect(&device, -1); }), QStringLiteral("Invalid page index"));
    QImage image = Canvas();
    QPainter painter(&image);
    EXPECT_EQ(ErrorOf([&] { report.DrawPage(painter, 3, QRect(), QPoint()); }), QStringLiteral("Invalid page index"));
}

TEST_F(Renderer, LeftBorderMovesTheTextByItsWidth)
{
    const QByteArray label = "<BAND><LABEL LEFT=\"10\" TOP=\"10\" TEXT=\"H\" BORDER-COLOR=\"white\"";
    const int plain = FirstDarkColumn(Draw(label + "/></BAND>"));
    const int bordered = FirstDarkColumn(Draw(label + " BORDER-LEFT=\"2\"/></BAND>"));
    ASSERT_GT(plain, 0);
    // 2 mm at 96 DPI is 7.56 pixels.
    EXPECT_NEAR(bordered - plain, 2 * 96 / 25.4, 1.0);
}

TEST_F(Renderer, BackgroundThenItemsThenContentThenBorders)
{
    // The band's left border (2 mm, red) lies over its label, the label over the band's blue.
    const QImage image = Draw("<BAND WIDTH=\"50\" HEIGHT=\"20\" BGCOLOR=\"blue\" BORDER-LEFT=\"2\" "
                              "BORDER-COLOR=\"red\"><LABEL WIDTH=\"30\" HEIGHT=\"20\" BGCOLOR=\"#00FF00\" "
                              "BORDER-COLOR=\"#00FF00\"/></BAND>");
    const int y = std::lround(10 * 96 / 25.4);
    EXPECT_EQ(image.pixel(2, y) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(std::lround(20 * 96 / 25.4), y) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(std::lround(40 * 96 / 25.4), y) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(std::lround(60 * 96 / 25.4), y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Renderer, ImageWithoutDataIsARedHatchOnItsBackground)
{
    const QImage image = Draw("<BAND><IMAGE NAME=\"none\" WIDTH=\"20\" HEIGHT=\"20\" BGCOLOR=\"yellow\"/></BAND>");
    const int y = std::lround(10 * 96 / 25.4);
    const int red = CountInRow(image, y, qRgb(255, 0, 0));
    const int yellow = CountInRow(image, y, qRgb(255, 255, 0));
    EXPECT_GT(red, 4);
    EXPECT_GT(yellow, 2 * red);
    EXPECT_NEAR(red + yellow, 20 * 96 / 25.4, 1);
}

TEST_F(Renderer, ImageIsStretchedOverItsRectangleLeavingOutTheTransparentColour)
{
    // Two columns: white on the left, blue on the right.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(0, 0, 255));
    TZippedBitmap bitmap(testutil::BuiltCompressor());
    bitmap.SetImage(picture);
    const QByteArray hex = bitmap.Save().toHex();
    report.Document().SetCompressor(testutil::BuiltCompressor());
    const auto draw = [&](const QByteArray& transparent) {
        return Draw("<BAND><IMAGE NAME=\"P\" WIDTH=\"20\" HEIGHT=\"20\" BGCOLOR=\"yellow\"/></BAND>", 794,
            "<IMAGES><IMAGEDATA NAME=\"P\" TRANSPARENT-COLOR=\"white\" " + transparent + ">" + hex
                + "</IMAGEDATA></IMAGES>");
    };
    const int y = 30;
    const QImage opaque = draw("");
    EXPECT_EQ(opaque.pixel(10, y) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(opaque.pixel(60, y) & 0xFFFFFF, 0x0000FFu);
    const QImage transparent = draw("TRANSPARENT=\"YES\"");
    EXPECT_EQ(transparent.pixel(10, y) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(transparent.pixel(60, y) & 0xFFFFFF, 0x0000FFu);
    // 20 mm at 96 DPI, the bitmap's two columns stretched over it.
    EXPECT_EQ(transparent.pixel(std::lround(20 * 96 / 25.4) + 1, y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Renderer, PrintZoomScalesTheDrawingAndTheLayoutDisplayZoomOnlyTheDrawing)
{
    const QByteArray bands = "<BAND WIDTH=\"50\" HEIGHT=\"100\" BGCOLOR=\"black\"/><BAND HEIGHT=\"100\"/>"
                             "<BAND HEIGHT=\"100\"/><BAND HEIGHT=\"100\"/>";
    QImage device = DeviceAt(96);
    const struct {
        int printZoom;
        int displayZoom;
        int blackPixels;
        int pages;
    } cases[] = { { 100, 100, 189, 2 }, { 200, 100, 378, 4 }, { 100, 200, 378, 2 } };
    for (const auto& c : cases) {
        report.SetPrintZoom(c.printZoom);
        report.SetDisplayZoom(c.displayZoom);
        const QImage image = Draw(bands);
        EXPECT_NEAR(CountInRow(image, 5, qRgb(0, 0, 0)), c.blackPixels, 1) << c.printZoom << " " << c.displayZoom;
        EXPECT_EQ(report.PageCount(&device), c.pages) << c.printZoom << " " << c.displayZoom;
    }
}

TEST_F(Renderer, ClipRectangleSkipsElementsOutsideIt)
{
    report.LoadFromString(Report(
        "<BAND HEIGHT=\"10\" WIDTH=\"10\" BGCOLOR=\"black\"/><BAND HEIGHT=\"10\" WIDTH=\"10\" BGCOLOR=\"black\"/>"));
    QImage image = Canvas();
    QPainter painter(&image);
    report.DrawPage(painter, 0, QRect(0, 50, 100, 100), QPoint(0, 0));
    painter.end();
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(5, 45) & 0xFFFFFF, 0u);
}

TEST_F(Renderer, AlignmentPlacesTheTextInItsRectangle)
{
    // A 60 mm label from 10 mm: the text starts at its left edge, in its middle or ends at its right edge
    // (within the glyphs' side bearings and the rounding of the rectangle to whole pixels).
    const auto columns = [&](const QByteArray& alignment) {
        const QImage image = Draw("<BAND><LABEL LEFT=\"10\" WIDTH=\"60\" HEIGHT=\"10\" TEXT=\"HHHH\" "
                                  "VALIGNMENT=\"TOP\" ALIGNMENT=\""
            + alignment + "\"/></BAND>");
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < 40; ++y)
                if (qGray(image.pixel(x, y)) < 128) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return std::make_pair(first, last);
    };
    const double left = 10 * 96 / 25.4;
    const double right = 70 * 96 / 25.4;
    const auto [l1, r1] = columns("LEFT");
    EXPECT_NEAR(l1, left, 3);
    const auto [l2, r2] = columns("RIGHT");
    EXPECT_NEAR(r2, right, 5);
    const auto [l3, r3] = columns("CENTER");
    EXPECT_NEAR((l3 + r3) / 2.0, (left + right) / 2, 3);
    EXPECT_NEAR(r1 - l1, r2 - l2, 1);
}

TEST_F(Renderer, EllipsisShortensTextThatDoesNotFit)
{
    const QByteArray text = "TEXT=\"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\" WIDTH=\"20\" HEIGHT=\"8\" VALIGNMENT=\"TOP\"";
    const auto darkRight = [](const QImage& image) {
        int right = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < 40; ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    right = x;
        return right;
    };
    const QImage clipped = Draw("<BAND><LABEL " + text + "/></BAND>");
    const QImage elided = Draw("<BAND><LABEL " + text + " ELLIPSIS=\"YES\"/></BAND>");
    // Clipped text runs up to the edge; the ellipsis ends with dots, whose last one stops short.
    EXPECT_GE(darkRight(clipped), std::lround(20 * 96 / 25.4) - 3);
    EXPECT_LT(darkRight(clipped), std::lround(20 * 96 / 25.4));
    EXPECT_LT(darkRight(elided), darkRight(clipped));
    EXPECT_GT(darkRight(elided), 0);
}

TEST_F(Renderer, FitZoomOfAPageTwiceAsTallAsTheView)
{
    QImage device = DeviceAt(96);
    report.LoadFromString(Report("<BAND HEIGHT=\"10\"/>"));
    const QRect page = report.PageRect(&device, 0);
    report.FitZoom(&device, 0, QRect(0, 0, 4000, page.height() / 2));
    EXPECT_EQ(report.DisplayZoom(), 49);
    // Far too small a view gives a zoom below 10: refused, the zoom stays.
    EXPECT_EQ(ErrorOf([&] { report.FitZoom(&device, 0, QRect(0, 0, 20, 20)); }), QStringLiteral("Invalid zoom"));
    EXPECT_EQ(ErrorOf([&] { report.FitZoom(&device, 0, QRect(0, 0, 0, 900)); }), QStringLiteral("Invalid zoom"));
    EXPECT_EQ(report.DisplayZoom(), 49);
}

TEST_F(Renderer, SubPagesAreMarkedWhereEachSheetStarts)
{
    report.SetHorBreakMode(true);
    const QImage image = Draw("<BAND WIDTH=\"300\" HEIGHT=\"10\"/>", 1600);
    EXPECT_EQ(report.SubPageCount(), 2);
    // The first mark at the left edge, the second half-way across the wide page.
    const int half = std::lround(210 * 96 / 25.4);
    EXPECT_LT(FirstDarkColumn(image), 3);
    bool secondMark = false;
    for (int x = half - 2; x < half + 20 && !secondMark; ++x)
        for (int y = 0; y < 10; ++y)
            secondMark = secondMark || qGray(image.pixel(x, y)) < 128;
    EXPECT_TRUE(secondMark);
}

TEST_F(Renderer, HyperlinkHoverAndClick)
{
    QList<QByteArray> clicked;
    report.OnHREF = [&](TKelReport&, const QByteArray& href) { clicked.append(href); };
    QList<QRect> repainted;
    report.OnInvalidate = [&](const QRect& r) { repainted.append(r); };
    const QByteArray body = "<BAND LEFT=\"10\" TOP=\"10\"><LABEL TEXT=\"plain\"/>"
                            "<LABEL TEXT=\"link\" HREF=\"https://example.org\" WIDTH=\"20\" HEIGHT=\"10\"/></BAND>";
    Draw(body);
    // Hyperlinks off: nothing happens.
    report.MouseDownAt(150, 50);
    EXPECT_TRUE(clicked.isEmpty());

    report.EnableHRefs = true;
    Draw(body);
    const int x = std::lround(10 * 96 / 25.4);
    report.MouseMoveAt(x + 5, 40);
    EXPECT_EQ(report.ActiveLabel(), nullptr);
    // The link follows the plain label.
    const auto* link = dynamic_cast<TLabelPigger*>(report.Document().Body()->Child(0)->Child(1));
    ASSERT_NE(link, nullptr);
    const int linkX = x + link->Rect().left + 3;
    report.MouseMoveAt(linkX, 40);
    EXPECT_EQ(report.ActiveLabel(), link);
    EXPECT_EQ(repainted.size(), 1);
    report.MouseMoveAt(-1, -1);
    EXPECT_EQ(report.ActiveLabel(), nullptr);
    report.MouseDownAt(linkX, 40);
    EXPECT_EQ(clicked, QList<QByteArray> { "https://example.org" });
    // A stale layout answers no mouse.
    report.SetLeftMargin(5);
    report.MouseDownAt(linkX, 40);
    EXPECT_EQ(clicked.size(), 1);
}

} // namespace
} // namespace quillo
