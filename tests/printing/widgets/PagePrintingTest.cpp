// Printing a page through the placement dialog, the print window and the side dialog, driven with clicks
// and keys as a user drives them.
#include "printing/widgets/PagePrintingFixture.h"
#include "printing/widgets/TSideShape.h"
#include "report/widgets/TFrame_Preview.h"
#include "testutil/PdfText.h"
#include "testutil/UserEvents.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace quillo {
namespace {

using testutil::ClickButton;
using testutil::WhenShown;

using PagePrinting = testutil::PagePrintingFixture;

class PagePrintingLandscape : public testutil::PagePrintingFixture {
protected:
    PagePrintingLandscape()
        : PagePrintingFixture(true, QPageSize(QPageSize::A4), QPageLayout::Landscape)
    {
    }
};

// The report text shown in the print window.
QByteArray ShownReport(TFprintpage& window) { return window.Frame()->Report().Document().SaveToText(); }

void TypeInto(QSpinBox* edit, const QString& value)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, value);
}

TEST_F(PagePrinting, FirstPrintShowsAndStoresMargins20AndPutsARightPageAtTheLeftMargin)
{
    QSignalSpy pageChanged(&pagePrinter, &TPagePrinter::PageChanged);
    bool placed = false, shown = false;
    WhenShown(&placement, [&] {
        placed = true;
        EXPECT_EQ(placement.windowTitle(), "Printing");
        EXPECT_TRUE(placement.RB_right->isChecked());
        EXPECT_EQ(placement.SE_printermargin_left->value(), 20);
        EXPECT_EQ(placement.SE_printermargin_right->value(), 20);
        EXPECT_EQ(placement.SE_printermargin_top->value(), 20);
        EXPECT_EQ(placement.SE_width->value(), 95);
        EXPECT_EQ(placement.SE_height->value(), 170);
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        shown = true;
        EXPECT_EQ(window.windowTitle(), "Probe - Print page");
        EXPECT_EQ(window.Frame()->LeftMargin(), 20);
        EXPECT_EQ(window.Frame()->TopMargin(), 20);
        EXPECT_EQ(window.Frame()->PageCount(), 1);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    EXPECT_TRUE(placed && shown);
    for (const char* margin : { "PRINTER_MARGIN_LEFT", "PRINTER_MARGIN_RIGHT", "PRINTER_MARGIN_TOP" })
        EXPECT_EQ(settings.Document().GetAttr(QLatin1String(margin)), "20") << margin;
    EXPECT_EQ(Page(0).GetAttr(QStringLiteral("WIDTH")), "95");
    EXPECT_EQ(Page(0).GetAttr(QStringLiteral("HEIGHT")), "170");
    EXPECT_EQ(pageChanged.size(), 1);
    // RPP 12 reaches the template as the integer 11.
    EXPECT_TRUE(ShownReport(window).contains("TEXT=\"A RIGHT 12\"")) << ShownReport(window).constData();
    EXPECT_EQ(Param(QStringLiteral("RPP")), "11 INT");
}

TEST_F(PagePrinting, ALeftPageOnA4PortraitStartsAt95AndTheChoiceIsKept)
{
    const QString probe = Template(QStringLiteral("probe.zdkt"));
    WhenShown(&placement, [&] {
        ClickButton(placement.RB_left);
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->LeftMargin(), 95);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(probe, &Page(0));
    EXPECT_EQ(Param(QStringLiteral("PAGE_TYPE")), "LEFT STRING");

    // The next print starts on the side chosen last and with the margins stored.
    settings.SetPrinterMargin(TUserSettings::Margin::Right, 30);
    WhenShown(&placement, [&] {
        EXPECT_TRUE(placement.RB_left->isChecked());
        EXPECT_EQ(placement.SE_printermargin_right->value(), 30);
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->LeftMargin(), 85);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(probe, &Page(1));
    EXPECT_TRUE(ShownReport(window).contains("TEXT=\"B LEFT 12\""));
}

TEST_F(PagePrintingLandscape, ALeftPageOnA4LandscapeStartsAt182)
{
    WhenShown(&placement, [&] {
        ClickButton(placement.RB_left);
        QTest::keyClick(placement.Btn_ok, Qt::Key_Space);
    });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->Orientation(), TPageSettings::Landscape);
        EXPECT_EQ(window.Frame()->LeftMargin(), 182);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
}

TEST_F(PagePrinting, CancellingThePlacementPrintsNothing)
{
    bool shown = false;
    WhenShown(&placement, [&] {
        TypeInto(placement.SE_printermargin_left, QStringLiteral("33"));
        ClickButton(placement.btn_cancel);
    });
    WhenShown(&window, [&] { shown = true, window.close(); });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    QTest::qWait(50);
    EXPECT_FALSE(shown);
    EXPECT_EQ(settings.PrinterMargin(TUserSettings::Margin::Left), 20);
    EXPECT_EQ(Page(0).GetAttr(QStringLiteral("WIDTH")), "");
    EXPECT_EQ(pagePrinter.PassedParams().Node().ChildCount(), 0);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PagePrinting, ATemplateNamedInCapitalsTakesTheNotebookPagePath)
{
    bool placed = false;
    WhenShown(&placement, [&] {
        placed = true;
        ClickButton(placement.btn_cancel);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("PROBE.ZDKT")), &Page(0));
    EXPECT_TRUE(placed);
    EXPECT_FALSE(sideSelect.isVisible());
}

TEST_F(PagePrinting, NothingHappensWithoutPageOrTemplate)
{
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), nullptr);
    pagePrinter.PrintNotebookPage(QStringLiteral("  "), &Page(0));
    int left = 1, top = 2, right = 3;
    EXPECT_FALSE(placement.PlacePage(nullptr, left, top, right));
    EXPECT_FALSE(window.RunPrintWindow(nullptr, &pagePrinter.PassedParams().Node(), QStringLiteral("x.zdkt"), {}));
    EXPECT_FALSE(window.RunPrintWindow(&Page(0), nullptr, QStringLiteral("x.zdkt"), {}));
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PagePrinting, MarginsThatPutThePageOffTheSheetAreWarnedAboutAndMayBeCorrected)
{
    prompts.Answer(false);
    WhenShown(&placement, [&] {
        TypeInto(placement.SE_printermargin_left, QStringLiteral("150"));
        ClickButton(placement.Btn_ok);
        EXPECT_TRUE(placement.isVisible());
        ASSERT_EQ(prompts.Log().size(), 1);
        EXPECT_EQ(prompts.Log()[0],
            "Sure: The notebook page is 95 mm wide, the paper 210 mm; the printer margins (left 150 mm, right 20 mm) "
            "leave 40 mm for it.\n35 mm of the page would lie right of the sheet.\nPrint anyway?");
        TypeInto(placement.SE_printermargin_left, QStringLiteral("25"));
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->LeftMargin(), 25);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    EXPECT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(settings.PrinterMargin(TUserSettings::Margin::Left), 25);
}

TEST_F(PagePrinting, TheUserMayGoOnWithAPageInTheMargins)
{
    prompts.Answer(true);
    WhenShown(&placement, [&] {
        TypeInto(placement.SE_printermargin_right, QStringLiteral("100"));
        ClickButton(placement.RB_left);
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->LeftMargin(), 15);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    EXPECT_EQ(settings.PrinterMargin(TUserSettings::Margin::Right), 100);
}

TEST_F(PagePrinting, AFailingTemplateIsExplainedAndNoWindowOpens)
{
    QSignalSpy failed(&pagePrinter, &TPagePrinter::TemplateFailed);
    bool shown = false;
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    WhenShown(&window, [&] { shown = true, window.close(); });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("broken.zdkt"),
                                      "<QUILLO_TEMPLATE><REPORT><BODY><EXEC>SETVAR(1, 2)</EXEC></BODY>"
                                      "</REPORT></QUILLO_TEMPLATE>"),
        &Page(0));
    QTest::qWait(50);
    EXPECT_FALSE(shown);
    EXPECT_EQ(failed.size(), 1);
    EXPECT_EQ(prompts.Log(),
        QStringList {
            "ShowMessage: Error in function: SETVAR. Position 1\nIn <EXEC> at byte 32 of the template file" });

    // A missing file is told the same way.
    prompts.ClearLog();
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    pagePrinter.PrintNotebookPage(folder.File(QStringLiteral("gone.zdkt")), &Page(0));
    EXPECT_EQ(failed.size(), 2);
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_TRUE(prompts.Log()[0].contains(QStringLiteral("gone.zdkt"))) << prompts.Log()[0].toStdString();
}

TEST_F(PagePrinting, WithoutAPrinterThePrintWindowIsA4PortraitAndExportsPdf)
{
    const QString pdf = folder.File(QStringLiteral("page.pdf"));
    files.Answer(pdf);
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    WhenShown(&window, [&] {
        EXPECT_EQ(window.Frame()->PageSizeLo(), 210);
        EXPECT_EQ(window.Frame()->PageSizeHi(), 297);
        EXPECT_EQ(window.Frame()->Orientation(), TPageSettings::Portrait);
        EXPECT_FALSE(window.SB_print->isEnabled());
        EXPECT_FALSE(window.SB_printer_setup->isEnabled());
        ClickButton(window.SB_export_pdf);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    EXPECT_EQ(files.Log(), QStringList { "Save:  | Probe" });
    const auto sheets = testutil::ReadPdf(pdf);
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_TRUE(testutil::PageText(sheets[0]).contains(QStringLiteral("Ann Archer")));
}

// The first word of the only sheet of a PDF.
testutil::TPdfWord FirstWord(const QString& pdf)
{
    const auto sheets = testutil::ReadPdf(pdf);
    return sheets.size() == 1 && !sheets[0].words.isEmpty() ? sheets[0].words[0] : testutil::TPdfWord {};
}

TEST_F(PagePrintingLandscape, PrintingMovesThePageByTheFrontOffsetsOfThePrinter)
{
    const QString printed = folder.File(QStringLiteral("printed.pdf"));
    const QString plain = folder.File(QStringLiteral("plain.pdf"));
    settings.SetPrintOffsets(QStringLiteral("Laser"), { 50, 50, 50, 50 });
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    WhenShown(&window, [&] {
        ClickButton(window.SB_print);
        EXPECT_TRUE(QFile::rename(printed, plain));
        settings.SetPrintOffsets(QStringLiteral("PDF"), { 15, -8, 30, 40 });
        ClickButton(window.SB_print);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    // Another printer's offsets leave the first print in place: the second moves by this printer's only.
    const testutil::TPdfWord unmoved = FirstWord(plain);
    ASSERT_EQ(unmoved.text, "A");
    EXPECT_NEAR(FirstWord(printed).left - unmoved.left, 1.5, 0.01);
    EXPECT_NEAR(FirstWord(printed).top - unmoved.top, -0.8, 0.01);
}

// The printer's unprintable border must not shift the page: printed, it lies where the exported PDF puts it.
TEST_F(PagePrintingLandscape, PrintingPlacesThePageWhereTheExportedPdfDoes)
{
    const QString printed = folder.File(QStringLiteral("printed.pdf"));
    const QString exported = folder.File(QStringLiteral("exported.pdf"));
    files.Answer(exported);
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    WhenShown(&window, [&] {
        ClickButton(window.SB_print);
        ClickButton(window.SB_export_pdf);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    const testutil::TPdfWord expected = FirstWord(exported);
    ASSERT_EQ(expected.text, "A");
    EXPECT_NEAR(FirstWord(printed).left, expected.left, 0.01);
    EXPECT_NEAR(FirstWord(printed).top, expected.top, 0.01);
}

TEST_F(PagePrinting, NewTemplateOffersTheTemplateReference)
{
    prompts.Answer(false).Answer(true);
    WhenShown(&placement, [&] { ClickButton(placement.Btn_ok); });
    WhenShown(&window, [&] {
        ClickButton(window.TB_print_templates);
        ClickButton(window.TB_print_templates);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
    ASSERT_EQ(prompts.Log().size(), 2);
    EXPECT_TRUE(prompts.Log()[0].startsWith(
        "Sure: You can choose from existing templates when the \"PAGES\" node is selected in the guider.\n"));
    ASSERT_EQ(desktop.Opened().size(), 1);
    EXPECT_TRUE(desktop.Opened()[0].endsWith(QStringLiteral("index.html#templates")));
}

TEST_F(PagePrintingLandscape, PrinterSetupLaysThePageOutAgainOnItsSide)
{
    printer.setup = [](QPrinter& p) { p.setPageOrientation(QPageLayout::Portrait); };
    WhenShown(&placement, [&] {
        ClickButton(placement.RB_left);
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        EXPECT_TRUE(window.SB_print->isEnabled());
        ClickButton(window.SB_printer_setup);
        EXPECT_EQ(printer.setups, 1);
        EXPECT_EQ(window.Frame()->Orientation(), TPageSettings::Portrait);
        EXPECT_EQ(window.Frame()->LeftMargin(), 95);
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("probe.zdkt")), &Page(0));
}

TEST_F(PagePrinting, TheReportPathProposesTheSideFromThePagePosition)
{
    const QString report = Template(QStringLiteral("probe.zdkr"));
    bool asked = false;
    WhenShown(&sideSelect, [&] {
        asked = true;
        EXPECT_EQ(sideSelect.windowTitle(), "Page location");
        EXPECT_TRUE(sideSelect.Item(1)->isChecked());
        EXPECT_TRUE(sideSelect.Shape_right->Outlined());
        EXPECT_FALSE(sideSelect.Shape_left->Outlined());
        ClickButton(sideSelect.findChild<QPushButton*>(QStringLiteral("Btn_cancel")));
    });
    pagePrinter.PrintNotebookPage(report, &Page(0));
    EXPECT_TRUE(asked);
    EXPECT_FALSE(placement.isVisible());
    EXPECT_EQ(pagePrinter.PassedParams().Node().ChildCount(), 0);

    WhenShown(&sideSelect, [&] {
        EXPECT_TRUE(sideSelect.Item(0)->isChecked());
        // The halves of the pictured notebook are clicked where they are drawn.
        QTest::mouseClick(sideSelect.Shape_right, Qt::LeftButton, {}, sideSelect.Shape_right->rect().center());
        EXPECT_TRUE(sideSelect.Item(1)->isChecked());
        EXPECT_TRUE(sideSelect.Shape_right->Outlined());
        EXPECT_FALSE(sideSelect.Shape_left->Outlined());
        QTest::mouseClick(sideSelect.Shape_left, Qt::LeftButton, {}, sideSelect.Shape_left->rect().center());
        EXPECT_TRUE(sideSelect.Item(0)->isChecked());
        EXPECT_TRUE(sideSelect.Shape_left->Outlined());
        ClickButton(sideSelect.findChild<QPushButton*>(QStringLiteral("Btn_ok")));
    });
    WhenShown(&preview, [&] {
        EXPECT_EQ(preview.windowTitle(), "Probe - Preview");
        EXPECT_EQ(preview.Frame()->PageCount(), 1);
        EXPECT_TRUE(preview.DocumentText().contains("TEXT=\"B LEFT 12\""));
        preview.close();
    });
    pagePrinter.PrintNotebookPage(report, &Page(1));
    EXPECT_EQ(Param(QStringLiteral("PAGE_TYPE")), "LEFT STRING");
}

TEST_F(PagePrinting, AFailingReportTemplateIsReported)
{
    QSignalSpy failed(&pagePrinter, &TPagePrinter::TemplateFailed);
    WhenShown(&sideSelect, [&] { ClickButton(sideSelect.findChild<QPushButton*>(QStringLiteral("Btn_ok"))); });
    pagePrinter.PrintNotebookPage(Template(QStringLiteral("bad.txt"), "<NOT_A_TEMPLATE/>"), &Page(0));
    EXPECT_EQ(prompts.Log(), QStringList { "ShowMessage: Invalid report template" });
    EXPECT_EQ(failed.size(), 1);
    EXPECT_FALSE(preview.isVisible());

    // A fault inside the template says in which element.
    prompts.ClearLog();
    WhenShown(&sideSelect, [&] { ClickButton(sideSelect.findChild<QPushButton*>(QStringLiteral("Btn_ok"))); });
    pagePrinter.PrintNotebookPage(
        Template(QStringLiteral("bad.zdkr"),
            "<REPORT_TEMPLATE>\n<REPORT>\n<EXEC>SETVAR(1, 2)</EXEC>\n</REPORT>\n</REPORT_TEMPLATE>"),
        &Page(0));
    EXPECT_EQ(prompts.Log(),
        QStringList {
            "ShowMessage: Error in function: SETVAR. Position 1\nIn <EXEC> at byte 28 of the template file" });
    EXPECT_EQ(failed.size(), 2);
    EXPECT_FALSE(preview.isVisible());
}

} // namespace
} // namespace quillo

namespace quillo {
namespace {

// Refreshes the guide's pictures of the printing windows; run by hand (one line):
//   QUILLO_SCREENSHOTS=$PWD/docs build/default/bin/test_printing_widgets --gtest_also_run_disabled_tests
//   --gtest_filter='*Screenshots*'
TEST_F(PagePrinting, DISABLED_ScreenshotsForTheGuide)
{
    const QString folder = qEnvironmentVariable("QUILLO_SCREENSHOTS");
    ASSERT_FALSE(folder.isEmpty());
    const QString page = QStringLiteral(QUILLO_SOURCE_DIR "/templates/contacts-5.zdkt");
    WhenShown(&placement, [&] {
        ClickButton(placement.RB_left);
        QTest::qWait(100);
        EXPECT_TRUE(placement.grab().save(folder + QStringLiteral("/print-placement.png")));
        ClickButton(placement.Btn_ok);
    });
    WhenShown(&window, [&] {
        window.resize(980, 620);
        window.Frame()->SetDisplayZoom(60);
        QTest::qWait(200);
        EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/print-window.png")));
        ClickButton(window.SB_close);
    });
    pagePrinter.PrintNotebookPage(page, &Page(0));
    WhenShown(&sideSelect, [&] {
        QTest::qWait(100);
        EXPECT_TRUE(sideSelect.grab().save(folder + QStringLiteral("/print-side.png")));
        ClickButton(sideSelect.findChild<QPushButton*>(QStringLiteral("Btn_cancel")));
    });
    pagePrinter.PrintNotebookPage(QStringLiteral(QUILLO_SOURCE_DIR "/templates/page-list-a4.zdkr"), &Page(1));
}

} // namespace
} // namespace quillo
