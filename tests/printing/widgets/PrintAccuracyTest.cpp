// Where the page lands on paper: the print window's PDF and zdktool print-page's put the page's left edge at
// the side rule's offset and are the same, on A4 portrait, A4 landscape and Letter.
#include "printing/widgets/PagePrintingFixture.h"
#include "report/widgets/TFrame_Preview.h"
#include "testutil/PdfText.h"
#include "testutil/UserEvents.h"
#include "testutil/ZdktoolProcess.h"

#include <QPushButton>
#include <QRadioButton>

namespace quillo {
namespace {

using testutil::ClickButton;
using testutil::WhenShown;

// A 95 mm page whose first word stands at its left edge.
const QByteArray EdgeTemplate
    = "<QUILLO_TEMPLATE><REPORT TITLE=\"Edge\"><HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"10\"/></HEAD><BODY>"
      "<BAND WIDTH=\"95\" ARRANGE=\"VERTICAL\"><LABEL TEXT=\"EDGE\"/>"
      "<LABEL LEFT=\"30\" TEXT=\"=GETCHILDATTRIB(0, 'PERSON')\"/></BAND></BODY></REPORT></QUILLO_TEMPLATE>";

TEST(PrintAccuracy, BothPdfsPutThePageEdgeAtTheSideOffset)
{
    const struct {
        const char* name;
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        const char* paperOption;
        int paperWidth;
    } papers[] = {
        { "A4 portrait", QPageSize::A4, QPageLayout::Portrait, "210x297", 210 },
        { "A4 landscape", QPageSize::A4, QPageLayout::Landscape, "297x210", 297 },
        // Letter is 215.9 mm wide; the side rule takes the printer's paper in whole millimetres.
        { "Letter", QPageSize::Letter, QPageLayout::Portrait, "216x279", 216 },
    };
    for (const auto& paper : papers) {
        for (const bool left : { false, true }) {
            SCOPED_TRACE(std::string(paper.name) + (left ? " left" : " right"));
            testutil::PagePrintingRig rig(true, QPageSize(paper.paper), paper.orientation);
            const QString edge = rig.Template(QStringLiteral("edge.zdkt"), EdgeTemplate);
            const QString windowPdf = rig.folder.File(QStringLiteral("window.pdf"));
            rig.files.Answer(windowPdf);
            WhenShown(&rig.placement, [&] {
                ClickButton(left ? rig.placement.RB_left : rig.placement.RB_right);
                ClickButton(rig.placement.Btn_ok);
            });
            WhenShown(&rig.window, [&] {
                ClickButton(rig.window.SB_export_pdf);
                ClickButton(rig.window.SB_close);
            });
            rig.pagePrinter.PrintNotebookPage(edge, &rig.Page(0));

            const QString toolPdf = rig.folder.File(QStringLiteral("tool.pdf"));
            const auto run = testutil::RunZdktool(
                { "print-page", rig.folder.Write(QStringLiteral("n.zdk"), testutil::PagePrintingRig::Notebook),
                    "--notebook", "Friends", "--page", "A", "--side", left ? "left" : "right", "--paper",
                    paper.paperOption, "--template", edge, "--pdf", toolPdf });
            ASSERT_EQ(run.exitCode, 0) << run.err.constData();

            const double offset = left ? paper.paperWidth - 95 - 20 : 20;
            const auto windowSheets = testutil::ReadPdf(windowPdf);
            const auto toolSheets = testutil::ReadPdf(toolPdf);
            ASSERT_EQ(windowSheets.size(), 1);
            ASSERT_EQ(toolSheets.size(), 1);
            EXPECT_NEAR(windowSheets[0].sizeMm.width(), paper.paperWidth, 0.15);
            ASSERT_EQ(windowSheets[0].words.size(), 3);
            EXPECT_EQ(windowSheets[0].words[0].text, "EDGE");
            EXPECT_NEAR(windowSheets[0].words[0].left, offset, 0.1);
            EXPECT_NEAR(windowSheets[0].words[0].top, 20, 0.2);
            EXPECT_EQ(windowSheets[0].sizeMm, toolSheets[0].sizeMm);
            ASSERT_EQ(toolSheets[0].words.size(), windowSheets[0].words.size());
            for (qsizetype i = 0; i < toolSheets[0].words.size(); ++i) {
                const testutil::TPdfWord& a = windowSheets[0].words[i];
                const testutil::TPdfWord& b = toolSheets[0].words[i];
                EXPECT_EQ(a.text, b.text);
                EXPECT_NEAR(a.left, b.left, 0.01);
                EXPECT_NEAR(a.top, b.top, 0.01);
            }
        }
    }
}

} // namespace
} // namespace quillo
