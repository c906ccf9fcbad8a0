// Printing through a PDF-backed printer: sheets, their order and their geometry, read back with poppler.
#include "report/TKelReport.h"
#include "testutil/ErrorMessage.h"
#include "testutil/PdfText.h"
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace quillo {
namespace {

using testutil::ReadPdf;
using testutil::TempFolder;

const QByteArray Head = "<HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"10\"/></HEAD>";

// A printer writing a PDF file, printable area the whole sheet.
void MakePdfPrinter(QPrinter& printer, const QString& path, const QPageSize& paper)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(paper);
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

// A printer whose second sheet cannot be started.
class FailingPrinter : public QPrinter {
public:
    FailingPrinter()
        : QPrinter(QPrinter::HighResolution)
    {
    }
    bool newPage() override { throw EKelError("Paper jam"); }
};

TEST(Printing, WidePagesPrintSheetBySheetInPageOrder)
{
    TempFolder folder;
    const QString path = folder.File(QStringLiteral("sheets.pdf"));
    TKelReport report;
    report.SetHorBreakMode(true);
    report.LoadFromString("<REPORT>" + Head
        + "<BODY><BAND WIDTH=\"380\" HEIGHT=\"20\"><LABEL LEFT=\"20\" TEXT=\"oneleft\"/>"
          "<LABEL LEFT=\"250\" TEXT=\"oneright\"/></BAND><NEWPAGE/>"
          "<BAND WIDTH=\"380\" HEIGHT=\"20\"><LABEL LEFT=\"20\" TEXT=\"twoleft\"/>"
          "<LABEL LEFT=\"250\" TEXT=\"tworight\"/></BAND></BODY></REPORT>");
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, path, QPageSize(QPageSize::A4));
    report.Print(printer);

    const QList<testutil::TPdfPage> pages = ReadPdf(path);
    ASSERT_EQ(pages.size(), 4);
    const char* const sheets[][2]
        = { { "1-1", "oneleft" }, { "1-2", "oneright" }, { "2-1", "twoleft" }, { "2-2", "tworight" } };
    for (int i = 0; i < 4; ++i) {
        const QString text = testutil::PageText(pages[i]);
        EXPECT_TRUE(text.contains(QLatin1String(sheets[i][0]))) << i << ": " << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String(sheets[i][1]))) << i << ": " << text.toStdString();
        EXPECT_NEAR(pages[i].sizeMm.width(), 210, 0.5);
    }
    EXPECT_FALSE(testutil::PageText(pages[0]).contains(QLatin1String("oneright")));
}

TEST(Printing, AnErrorAbortsTheJobAndRestoresTheSettings)
{
    TempFolder folder;
    TKelReport report;
    report.LoadFromString(
        "<REPORT>" + Head + "<BODY><BAND HEIGHT=\"10\"/><NEWPAGE/><BAND HEIGHT=\"10\"/></BODY></REPORT>");
    report.SetDisplayZoom(150);
    report.SetPageOrientation(TPageSettings::Landscape);
    report.EnableHRefs = true;
    FailingPrinter printer;
    MakePdfPrinter(printer, folder.File(QStringLiteral("jam.pdf")), QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    int aborted = 0;
    EXPECT_EQ(testutil::ErrorOf([&] { report.Print(printer, [&] { ++aborted; }); }), QStringLiteral("Paper jam"));
    EXPECT_EQ(aborted, 1);
    EXPECT_EQ(report.DisplayZoom(), 150);
    EXPECT_TRUE(report.EnableHRefs);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(Printing, PrinterPaperSetsThePageSizeShorterSideFirst)
{
    TKelReport report;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    report.SetPageSizeFromPrinter(printer);
    EXPECT_EQ(report.PageSizeLo(), 216);
    EXPECT_EQ(report.PageSizeHi(), 279);
}

// What organiser users depend on: a label placed at LEFT 20 mm, TOP 30 mm lands there on paper.
TEST(Printing, LabelLandsAtItsPlaceOnTheSheet)
{
    const struct {
        QPageSize::PageSizeId paper;
        TPageSettings::TOrientation orientation;
        int zoom;
        double width;
        double height;
    } cases[] = {
        { QPageSize::A4, TPageSettings::Portrait, 100, 210, 297 },
        { QPageSize::A4, TPageSettings::Landscape, 100, 297, 210 },
        { QPageSize::Letter, TPageSettings::Portrait, 100, 215.9, 279.4 },
        { QPageSize::A4, TPageSettings::Portrait, 200, 210, 297 },
        { QPageSize::A4, TPageSettings::Landscape, 200, 297, 210 },
        { QPageSize::Letter, TPageSettings::Portrait, 200, 215.9, 279.4 },
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const QString where
            = QStringLiteral("paper %1 orientation %2 zoom %3").arg(c.paper).arg(c.orientation).arg(c.zoom);
        const QString path = folder.File(QStringLiteral("place.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        MakePdfPrinter(printer, path, QPageSize(c.paper));
        TKelReport report;
        report.SetPageSizeFromPrinter(printer);
        report.SetPageOrientation(c.orientation);
        report.SetPrintZoom(c.zoom);
        report.LoadFromString(
            "<REPORT>" + Head + "<BODY><BAND><LABEL LEFT=\"20\" TOP=\"30\" TEXT=\"Mark\"/></BAND></BODY></REPORT>");
        report.Print(printer);

        const QList<testutil::TPdfPage> pages = ReadPdf(path);
        ASSERT_EQ(pages.size(), 1) << where.toStdString();
        EXPECT_NEAR(pages[0].sizeMm.width(), c.width, 0.3) << where.toStdString();
        EXPECT_NEAR(pages[0].sizeMm.height(), c.height, 0.3) << where.toStdString();
        ASSERT_EQ(pages[0].words.size(), 1) << where.toStdString();
        const double scale = c.zoom / 100.0;
        EXPECT_NEAR(pages[0].words[0].left, 20 * scale, 0.1) << where.toStdString();
        EXPECT_NEAR(pages[0].words[0].top, 30 * scale, 0.1) << where.toStdString();
    }
}

} // namespace
} // namespace quillo
