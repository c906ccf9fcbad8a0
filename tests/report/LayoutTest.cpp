#include "ReportTesting.h"

#include "report/TBandPigger.h"
#include "report/THorizontalBreak.h"
#include "report/TLabelPigger.h"
#include "report/TPageBreakRule.h"

using namespace quillo;
using Windows = std::vector<std::pair<int, int>>;

namespace {

// A body of bands of the given heights in millimetres; "NP" is a NEWPAGE, "TE" a TABLEEND,
// "H20" a table-head band 20 mm high.
QByteArray Body(const QList<QByteArray>& items)
{
    QByteArray body = "<BODY>";
    for (const QByteArray& item : items) {
        if (item == "NP")
            body += "<NEWPAGE/>";
        else if (item == "TE")
            body += "<TABLEEND/>";
        else if (item.startsWith('H'))
            body += "<BAND TABLEHEAD=\"yes\" HEIGHT=\"" + item.mid(1) + "\"/>";
        else
            body += "<BAND HEIGHT=\"" + item + "\"/>";
    }
    return body + "</BODY>";
}

class PageBreaking : public testutil::ReportTest {
protected:
    // Portrait A4 with 10 mm above and below: 277 mm of content.
    Windows Cut(const QList<QByteArray>& items, const QByteArray& head = {})
    {
        report.Settings().topMargin = 10;
        report.Settings().bottomMargin = 10;
        Lay("<REPORT>" + head + Body(items) + "</REPORT>");
        return PageWindows();
    }
};

} // namespace

TEST_F(PageBreaking, CutsTheBodyWhereABandNoLongerFits)
{
    const struct {
        QList<QByteArray> items;
        Windows pages;
    } cases[] = {
        { { "100", "100", "100" }, { { 0, 1 }, { 2, 2 } } },
        // 177 + 100 reaches the content's bottom edge exactly: that does not fit.
        { { "177", "100" }, { { 0, 0 }, { 1, 1 } } },
        { { "176.9", "100" }, { { 0, 1 } } },
        // Taller than the page: alone on it, cut when drawn.
        { { "400", "10" }, { { 0, 0 }, { 1, 1 } } },
        // Two NEWPAGEs in a row leave an empty page between them.
        { { "100", "NP", "NP", "100" }, { { 0, 0 }, { 1, 1 }, { 2, 3 } } },
        // A NEWPAGE first gives no empty first page, and takes no room.
        { { "NP", "276", "1" }, { { 0, 1 }, { 2, 2 } } },
        { { "NP" }, { { 0, 0 } } },
        // A table head that would end a full page goes on with the row that did not fit.
        { { "250", "H20", "50" }, { { 0, 0 }, { 1, 2 } } },
        // ... but not when it is the only element of its page.
        { { "H300", "50" }, { { 0, 0 }, { 1, 1 } } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cut(c.items), c.pages) << c.items.join(' ').constData();
}

TEST_F(PageBreaking, RepeatsTheTableHeadUntilTableEnd)
{
    QList<QByteArray> items { "H20" };
    for (int row = 0; row < 12; ++row)
        items << "50";
    items << "TE"
          << "50"
          << "50"
          << "50"
          << "50"
          << "50"
          << "50";
    EXPECT_EQ(Cut(items), (Windows { { 0, 5 }, { 6, 10 }, { 11, 16 }, { 17, 19 } }));

    std::vector<bool> repeated;
    for (int i = 0; i < report.PageCount(); ++i)
        repeated.push_back(report.Page(i)->Content()->RepeatedHead() != nullptr);
    EXPECT_EQ(repeated, (std::vector<bool> { false, true, true, false }));
    // The copy stands above the first row of the page, with the size of the head.
    const TVirtualPageContent& second = *report.Page(1)->Content();
    EXPECT_EQ(second.RepeatedHead()->Rect().Height(), 20 * Scale / 100);
    EXPECT_EQ(BodyElement(6)->Rect().top, 20 * Scale / 100);
    EXPECT_EQ(BodyElement(6)->Container(), &second);
}

TEST_F(PageBreaking, EveryPageKeepsItsOwnPositions)
{
    Cut({ "100", "100", "100" });
    EXPECT_EQ(BodyElement(2)->Top(), 0);
    EXPECT_EQ(BodyElement(1)->Top(), 100 * Scale);
    const TVirtualPage& page = *report.Page(0);
    // The content sits inside the margins, below the header band.
    EXPECT_EQ(page.Content()->Rect(), (TPixelRect { 0, 37, 793, 37 + 1047 }));
    EXPECT_EQ(page.Footer()->Rect().top, 37 + 1047);
    EXPECT_EQ(report.PageRect(1), (TPixelRect { 0, 0, 793, 1122 }));
    EXPECT_EQ(report.PageRect(2), TPixelRect {});
}

TEST_F(PageBreaking, NoBodyOrAnEmptyBodyGivesNoPages)
{
    for (const QByteArray text : { "<REPORT/>", "<REPORT><BODY/></REPORT>", "" }) {
        Lay(text);
        EXPECT_EQ(report.PageCount(), 0) << text.constData();
    }
}

TEST(PageBreakRule, DecidesAfterEachItem)
{
    using R = TPageBreakRule;
    const struct {
        int index, headItems;
        bool fits, isPageBreak;
        R::TVerdict verdict;
    } cases[] = {
        { 0, 1, false, false, R::GoOn }, // the repeated head never ends a page
        { 1, 1, false, false, R::EndAfterItem },
        { 0, 0, true, true, R::GoOn }, // a NEWPAGE first on its page
        { 1, 0, true, true, R::EndBeforeItem },
        { 1, 0, false, false, R::EndBeforeItem },
        { 2, 1, true, false, R::GoOn },
    };
    for (const auto& c : cases)
        EXPECT_EQ(R::Decide(c.index, c.headItems, c.fits, c.isPageBreak), c.verdict) << c.index << c.headItems;
}

TEST_F(PageBreaking, PageNumbersInHeaderAndFooter)
{
    const QByteArray head = "<HEAD><PAGEFOOTER><LABEL TEXT=\"Page [[PAGE]] of [[pages]]\"/></PAGEFOOTER>"
                            "<PAGEHEADER><BAND><LABEL TEXT=\"[[PAGE]]/[[PAGE]]\"/></BAND></PAGEHEADER></HEAD>";
    ASSERT_EQ(Cut({ "200", "200", "200" }, head).size(), 3u);
    const auto footerLabel
        = [this](int page) { return static_cast<TLabelPigger*>(report.Page(page)->Footer()->Child(0)); };
    EXPECT_EQ(footerLabel(1)->LabelText(), QStringLiteral("Page 2 of 3"));
    EXPECT_EQ(footerLabel(0)->LabelText(), QStringLiteral("Page 1 of 3"));
    // Sized from the provisional count: "Page 2 of 99" is 12 characters.
    EXPECT_TRUE(measurer.measured.contains(QStringLiteral("Page 2 of 99")));
    EXPECT_EQ(footerLabel(1)->Width(), 12 * 7 * 100);
    const auto* nested = static_cast<TLabelPigger*>(report.Page(2)->Header()->Child(0)->Child(0));
    EXPECT_EQ(nested->LabelText(), QStringLiteral("3/3"));
    // Body labels keep the placeholders.
    Lay("<REPORT><BODY><BAND><LABEL TEXT=\"[[PAGE]]\"/></BAND></BODY></REPORT>");
    EXPECT_EQ(static_cast<TLabelPigger*>(report.Body()->Child(0)->Child(0))->LabelText(), QStringLiteral("[[PAGE]]"));
}

TEST_F(PageBreaking, TwoSidePrintingSwapsTheMarginsOfEverySecondPage)
{
    report.Settings().leftMargin = 20;
    report.Settings().rightMargin = 5;
    report.Settings().twoSide = true;
    Cut({ "200", "200", "200" });
    const int twenty = 20 * Scale / 100;
    const int five = 5 * Scale / 100;
    EXPECT_EQ(report.Page(0)->Content()->Rect().left, twenty);
    EXPECT_EQ(report.Page(1)->Content()->Rect().left, five);
    EXPECT_EQ(report.Page(2)->Content()->Rect().left, twenty);
    EXPECT_EQ(report.Page(1)->Content()->Width(), 185 * Scale);
}

TEST(HorizontalBreak, SheetsFromTheRatio)
{
    const struct {
        double ratio;
        int sheets;
    } cases[] = { { 2.0, 2 }, { 2.005, 2 }, { 2.02, 3 }, { 0.3, 1 }, { 1.0, 1 }, { 1e300, 100 } };
    for (const auto& c : cases)
        EXPECT_EQ(THorizontalBreak::SubPageCount(c.ratio), c.sheets) << c.ratio;
    TPageSettings settings;
    settings.leftMargin = 10;
    settings.rightMargin = 10;
    EXPECT_DOUBLE_EQ(THorizontalBreak::Ratio(settings, 1512, 378), 2.0);
    settings.intersectSize = 10;
    EXPECT_DOUBLE_EQ(THorizontalBreak::Ratio(settings, 1512, 378), 410.0 / 200);
}

TEST_F(PageBreaking, WideContentIsCutIntoSheets)
{
    const struct {
        QByteArray width;
        int sheets;
    } cases[] = { { "400", 2 }, { "401", 2 }, { "404.2", 3 }, { "150", 1 } };
    for (const auto& c : cases) {
        report.Settings().leftMargin = 10;
        report.Settings().rightMargin = 10;
        report.Settings().horBreak = true;
        Lay("<REPORT><BODY><BAND WIDTH=\"" + c.width + "\" HEIGHT=\"10\"/></BODY></REPORT>");
        EXPECT_EQ(report.SubPageCount(), c.sheets) << c.width.constData();
        EXPECT_TRUE(report.HorBreakActive());
        // The pages are laid out again, that many paper widths wide.
        EXPECT_EQ(report.Page(0)->Width(), 210 * c.sheets * Scale) << c.width.constData();
    }
}

TEST_F(PageBreaking, PrintZoomShrinksThePageInLayoutMillimetres)
{
    report.Settings().printZoom = 2.0;
    Lay("<REPORT>" + Body({ "100", "100" }) + "</REPORT>");
    EXPECT_EQ(report.ScaleX(), 756);
    // 297 mm of paper hold 148.5 mm of layout at 200 %.
    EXPECT_EQ(PageWindows(), (Windows { { 0, 0 }, { 1, 1 } }));
}
