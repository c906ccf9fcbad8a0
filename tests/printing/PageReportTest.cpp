// One print of a page: the template run with the page and the passed parameters, and the report's margins.
#include "printing/PageReport.h"
#include "printing/TPassedParams.h"
#include "report/TKelReport.h"
#include "reportgen/TRepGenPig.h"
#include "testutil/ErrorMessage.h"
#include "testutil/TempFolder.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

const QByteArray Notebook = "<NOTEBOOK NAME=\"N\" RPP=\"12\"><PAGES><PAGE NAME=\"A\"><REC PERSON=\"Ann\"/></PAGE>"
                            "</PAGES></NOTEBOOK>";

// A template that writes the page name, the side and RPP + 1 (12 for an integer 11, 111 for a string).
const QByteArray Probe = "<QUILLO_TEMPLATE><REPORT><BODY><BAND WIDTH=\"81\"><LABEL TEXT=\"=GETATTRIB('NAME') + ' ' + "
                         "GETPASSEDPARAM('PAGE_TYPE') + ' ' + STRING(GETPASSEDPARAM('RPP') + 1) + ' ' + "
                         "GETCHILDATTRIB(0, 'PERSON')\"/></BAND></BODY></REPORT></QUILLO_TEMPLATE>";

TEST(PageReport, RunsTheTemplateOnThePageWithItsSideAndRecordsPerPage)
{
    testutil::TempFolder folder;
    const auto notebook = testutil::ReadTree(Notebook);
    TKelPigger& page = *notebook->FindChild("PAGES")->Child(0);
    TPassedParams params;
    params.SetPageParams(QStringLiteral("LEFT"), notebook.get());
    TRepGenPig generator;
    const PageReport::TGenerated generated
        = PageReport::Generate(generator, folder.Write(QStringLiteral("probe.zdkt"), Probe), page, params.Node());
    EXPECT_EQ(generated.bandWidth, 81);
    EXPECT_TRUE(generated.text.contains("TEXT=\"A LEFT 12 Ann\"")) << generated.text.constData();
}

TEST(PageReport, AFailedRunLeavesNothingForTheNextRunOfTheSameGenerator)
{
    testutil::TempFolder folder;
    const auto notebook = testutil::ReadTree(Notebook);
    TKelPigger& page = *notebook->FindChild("PAGES")->Child(0);
    TPassedParams params;
    TRepGenPig generator;
    const QString failing = folder.Write(QStringLiteral("fails.zdkt"),
        "<QUILLO_TEMPLATE><REPORT><BODY><BAND><LABEL TEXT=\"written\"/></BAND><EXEC>NOSUCH()</EXEC></BODY></REPORT>"
        "</QUILLO_TEMPLATE>");
    EXPECT_EQ(testutil::ErrorOf([&] { PageReport::Generate(generator, failing, page, params.Node()); }),
        "Unknown function: NOSUCH. Position 1");
    const QString unclosed
        = folder.Write(QStringLiteral("unclosed.zdkt"), "<QUILLO_TEMPLATE><REPORT>\n<BODY></REPORT>");
    EXPECT_EQ(testutil::ErrorOf([&] { PageReport::Generate(generator, unclosed, page, params.Node()); }),
        unclosed + QStringLiteral(": Unclosed tag: BODY at byte 33"));
    EXPECT_NE(testutil::ErrorOf([&] {
        PageReport::Generate(generator, folder.File(QStringLiteral("none.zdkt")), page, params.Node());
    }),
        "");
    const QByteArray text
        = PageReport::Generate(generator, folder.Write(QStringLiteral("probe.zdkt"), Probe), page, params.Node()).text;
    EXPECT_FALSE(text.contains("written")) << text.constData();
}

TEST(PageReport, PlaceSetsTheTopMarginAndTheSideOffsetOnTheReportsPaper)
{
    struct Row {
        TPageSettings::TOrientation orientation;
        QString side;
        int left;
    };
    const Row rows[] = {
        { TPageSettings::Portrait, QStringLiteral("RIGHT"), 20 },
        { TPageSettings::Portrait, QStringLiteral("LEFT"), 95 },
        { TPageSettings::Landscape, QStringLiteral("LEFT"), 182 },
    };
    for (const Row& row : rows) {
        TKelReport report;
        report.SetRightMargin(10);
        report.SetBottomMargin(10);
        report.SetPageOrientation(row.orientation);
        PageReport::Place(report, { row.side, 20, 20, 15 }, 95);
        EXPECT_EQ(report.LeftMargin(), row.left);
        EXPECT_EQ(report.TopMargin(), 15);
        EXPECT_EQ(report.RightMargin(), 0);
        EXPECT_EQ(report.BottomMargin(), 0);
    }
}

} // namespace
