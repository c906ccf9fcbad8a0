#include "printing/PagePlacement.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

TEST(PagePlacement, LeftOffsetPutsRightPagesAtTheLeftMarginAndLeftPagesAgainstTheRightOne)
{
    struct Row {
        const char* what;
        QString side;
        int paper, band, left, right, offset;
    };
    const Row rows[] = {
        { "right page", PagePlacement::Right, 210, 95, 20, 20, 20 },
        { "right page ignores the right margin", PagePlacement::Right, 210, 95, 7, 60, 7 },
        { "left page, A4 portrait", PagePlacement::Left, 210, 95, 20, 20, 95 },
        { "left page, A4 landscape", PagePlacement::Left, 297, 95, 20, 20, 182 },
        { "left page, Letter", PagePlacement::Left, 216, 95, 20, 20, 101 },
        { "left page ignores the left margin", PagePlacement::Left, 210, 81, 50, 10, 119 },
        { "a page wider than the sheet starts at its edge", PagePlacement::Left, 210, 200, 20, 20, 0 },
        { "a negative margin keeps the page on the sheet", PagePlacement::Right, 210, 95, -5, 20, 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(PagePlacement::LeftOffset(row.side, row.paper, row.band, row.left, row.right), row.offset)
            << row.what;
}

TEST(PagePlacement, BandWidthIsTheFirstBandOfTheFirstBodyOr95)
{
    struct Row {
        const char* templateText;
        int width;
    };
    const Row rows[] = {
        { "<QUILLO_TEMPLATE><REPORT><BODY><EXEC/><BAND WIDTH=\"81\"/><BAND WIDTH=\"50\"/></BODY>"
          "<BODY><BAND WIDTH=\"60\"/></BODY></REPORT></QUILLO_TEMPLATE>",
            81 },
        { "<QUILLO_TEMPLATE><REPORT><BODY><BAND WIDTH=\" 148 \"/></BODY></REPORT></QUILLO_TEMPLATE>", 148 },
        { "<QUILLO_TEMPLATE><REPORT><BODY><BAND/></BODY></REPORT></QUILLO_TEMPLATE>", 95 },
        { "<QUILLO_TEMPLATE><REPORT><BODY><BAND WIDTH=\"=GETVAR('W')\"/></BODY></REPORT></QUILLO_TEMPLATE>", 95 },
        { "<QUILLO_TEMPLATE><REPORT><BODY><BAND WIDTH=\"95.5\"/></BODY></REPORT></QUILLO_TEMPLATE>", 95 },
        { "<QUILLO_TEMPLATE><REPORT><BODY><LABEL WIDTH=\"40\"/></BODY></REPORT></QUILLO_TEMPLATE>", 95 },
        { "<QUILLO_TEMPLATE><REPORT/></QUILLO_TEMPLATE>", 95 },
        { "<QUILLO_TEMPLATE><BODY><BAND WIDTH=\"70\"/></BODY></QUILLO_TEMPLATE>", 95 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(PagePlacement::BandWidth(*testutil::ReadTree(row.templateText)), row.width) << row.templateText;
}

TEST(PagePlacement, OnlyTheZdktExtensionInAnyCaseMeansANotebookPage)
{
    for (const char* path : { "contacts.zdkt", "..\\templates\\CONTACTS.ZDKT", "page.Zdkt", " a.zdkt " })
        EXPECT_TRUE(PagePlacement::IsNotebookPageTemplate(QString::fromLatin1(path))) << path;
    for (const char* path : { "list.zdkr", "zdkt", "old.zdkt.bak", "page.zdk", "" })
        EXPECT_FALSE(PagePlacement::IsNotebookPageTemplate(QString::fromLatin1(path))) << path;
}

TEST(PagePlacement, ProposedSideAlternatesFromARightHandFirstPage)
{
    const auto pages = testutil::ReadTree("<PAGES><PAGE NAME=\"A\"/><PAGE NAME=\"B\"/><PAGE NAME=\"C\"/></PAGES>");
    EXPECT_EQ(PagePlacement::ProposedSide(*pages->Child(0)), "RIGHT");
    EXPECT_EQ(PagePlacement::ProposedSide(*pages->Child(1)), "LEFT");
    EXPECT_EQ(PagePlacement::ProposedSide(*pages->Child(2)), "RIGHT");
}

TEST(PagePlacement, FitWarningNamesTheSizesOfAPageOffTheSheetOrInTheMargins)
{
    EXPECT_EQ(PagePlacement::FitWarning(PagePlacement::Right, 210, 95, 20, 20), "");
    EXPECT_EQ(PagePlacement::FitWarning(PagePlacement::Left, 210, 95, 95, 20), "");
    EXPECT_EQ(PagePlacement::FitWarning(PagePlacement::Right, 210, 95, 150, 20),
        "The notebook page is 95 mm wide, the paper 210 mm; the printer margins (left 150 mm, right 20 mm) leave "
        "40 mm for it.\n35 mm of the page would lie right of the sheet.");
    EXPECT_EQ(PagePlacement::FitWarning(PagePlacement::Left, 210, 200, 20, 20),
        "The notebook page is 200 mm wide, the paper 210 mm; the printer margins (left 20 mm, right 20 mm) leave "
        "170 mm for it.\n10 mm of the page would lie left of the sheet.");
    EXPECT_EQ(PagePlacement::FitWarning(PagePlacement::Right, 210, 95, 20, 100),
        "The notebook page is 95 mm wide, the paper 210 mm; the printer margins (left 20 mm, right 100 mm) leave "
        "90 mm for it.\n5 mm of the page would lie in the printer margins.");
    EXPECT_NE(PagePlacement::FitWarning(PagePlacement::Right, 210, 95, -3, 20), "");
}

TEST(PagePlacement, PageSizeFallsBackForAbsentOrNonIntegerValues)
{
    const auto page = testutil::ReadTree("<PAGE WIDTH=\"81\" HEIGHT=\"tall\"/>");
    EXPECT_EQ(PagePlacement::PageSize(*page, QStringLiteral("WIDTH"), 95), 81);
    EXPECT_EQ(PagePlacement::PageSize(*page, QStringLiteral("HEIGHT"), 170), 170);
    EXPECT_EQ(PagePlacement::PageSize(*page, QStringLiteral("DEPTH"), 7), 7);
}

} // namespace
