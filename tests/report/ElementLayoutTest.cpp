#include "ReportTesting.h"

#include "report/TBandPigger.h"
#include "report/TLabelPigger.h"

using namespace quillo;

namespace {

// One band 100 mm by 50 mm at the top of an A4 page, holding the given elements.
class ElementLayout : public testutil::ReportTest {
protected:
    TVisualElemPigger* Item(const QByteArray& items, const QByteArray& band = "WIDTH=\"100\" HEIGHT=\"50\"")
    {
        Lay("<REPORT><BODY><BAND " + band + ">" + items + "</BAND></BODY></REPORT>");
        return dynamic_cast<TVisualElemPigger*>(BodyElement(0)->Child(0));
    }
};

} // namespace

TEST_F(ElementLayout, SizesAndPositions)
{
    const struct {
        QByteArray element;
        TPixelRect rect;
    } cases[] = {
        { "<BAND LEFT=\"10\" TOP=\"5\" WIDTH=\"20\" HEIGHT=\"10\"/>", { 37, 18, 37 + 75, 18 + 37 } },
        // A sign before LEFT or TOP is ignored; "~N" there gives 0.
        { "<BAND LEFT=\"-10\" TOP=\"+5\" WIDTH=\"20\" HEIGHT=\"10\"/>", { 37, 18, 37 + 75, 18 + 37 } },
        { "<BAND LEFT=\"~10\" WIDTH=\"20\" HEIGHT=\"10\"/>", { 0, 0, 75, 37 } },
        // Per cent of the container.
        { "<BAND WIDTH=\"~50\" HEIGHT=\"~10\"/>", { 0, 0, 189, 18 } },
        // "-N": the container less N, less the own offset.
        { "<BAND LEFT=\"10\" WIDTH=\"-20\" HEIGHT=\"-45\"/>", { 37, 0, 37 + 264, 18 } },
        { "<BAND ALIGN=\"RIGHT\" LEFT=\"10\" WIDTH=\"-20\" HEIGHT=\"5\"/>", { 378 - 302, 0, 378, 18 } },
        // An empty band fills what its container leaves.
        { "<BAND LEFT=\"10\" TOP=\"10\"/>", { 37, 37, 37 + 340, 37 + 151 } },
        { "<BAND WIDTH=\"0\" HEIGHT=\"+10\"/>", { 0, 0, 378, 37 } },
        // Sized from the text: "abc" is 21 by 12 pixels, plus borders and "+N".
        { "<LABEL TEXT=\"abc\"/>", { 0, 0, 21, 12 } },
        { "<LABEL TEXT=\"\"/>", { 0, 0, 7, 12 } },
        { "<LABEL TEXT=\"abc\" WIDTH=\"+10\" BORDER-LEFT=\"1\" BORDER-TOP=\"0.01\"/>", { 0, 0, 37 + 21 + 4, 13 } },
        { "<LABEL TEXT=\"a\" ALIGN=\"CENTER\" VALIGN=\"BOTTOM\"/>",
            { (37800 - 700) / 200, 189 - 12, (37800 - 700) / 200 + 7, 189 } },
        { "<LABEL TEXT=\"a\" ALIGN=\"right\" VALIGN=\"center\"/>",
            { 371, (18900 - 1200) / 200, 378, (18900 - 1200) / 200 + 12 } },
        // Images without data take 10 mm by 10 mm.
        { "<IMAGE NAME=\"none\"/>", { 0, 0, 37, 37 } },
        { "<IMAGE NAME=\"none\" WIDTH=\"20\"/>", { 0, 0, 75, 37 } },
    };
    for (const auto& c : cases) {
        const TVisualElemPigger* item = Item(c.element);
        ASSERT_NE(item, nullptr) << c.element.constData();
        EXPECT_EQ(item->Rect(), c.rect) << c.element.constData();
    }
}

TEST_F(ElementLayout, ItemsFlowInTheirContainersDirection)
{
    const QByteArray labels = "<LABEL TEXT=\"ab\"/><LABEL TEXT=\"abc\" TOP=\"2\"/><LABEL TEXT=\"a\"/>";
    Item(labels);
    const TVisualElemPigger& row = *BodyElement(0);
    EXPECT_EQ(static_cast<TVisualElemPigger*>(row.Child(1))->Rect().left, 14);
    // Without TOP an element in a horizontal flow takes the top of the one before it.
    EXPECT_EQ(static_cast<TVisualElemPigger*>(row.Child(2))->Rect(), (TPixelRect { 35, 7, 42, 19 }));

    Item(labels, "ARRANGE=\"VERTICAL\"");
    const TVisualElemPigger& column = *BodyElement(0);
    EXPECT_EQ(static_cast<TVisualElemPigger*>(column.Child(1))->Rect().top, 7);
    EXPECT_EQ(static_cast<TVisualElemPigger*>(column.Child(2))->Rect(), (TPixelRect { 0, 19, 7, 31 }));
    // The band grows around its items.
    EXPECT_EQ(column.Rect(), (TPixelRect { 0, 0, 21, 31 }));
}

TEST_F(ElementLayout, ColoursComeFromTheElementTheContainerOrTheReport)
{
    const QByteArray items
        = "<LABEL COLOR=\"#FF0000\"/><LABEL COLOR=\"red\"/><LABEL COLOR=\"#ff0000\" ACOLOR=\"BLUE\"/>"
          "<LABEL/><LABEL COLOR=\"no colour\" BGCOLOR=\"#00FF00\"/>";
    Item(items, "BGCOLOR=\"#102030\" BORDER-COLOR=\"GRAY\"");
    const auto label = [this](int i) { return static_cast<const TVisualElemPigger*>(BodyElement(0)->Child(i)); };
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(label(i)->Color(), 0x0000FFu) << i;
    EXPECT_EQ(label(0)->ActiveColor(), 0x0000FFu);
    EXPECT_EQ(label(2)->ActiveColor(), 0xFF0000u);
    EXPECT_EQ(label(3)->Color(), 0u);
    EXPECT_EQ(label(3)->BgColor(), 0x302010u);
    EXPECT_EQ(label(3)->BorderColor(), 0xB0B0B0u);
    EXPECT_EQ(label(4)->Color(), 0u);
    EXPECT_EQ(label(4)->BgColor(), 0x00FF00u);
    EXPECT_EQ(BodyElement(0)->BgColor(), 0x302010u);
    report.Settings().fgColor = 0x123456;
    Item(items);
    EXPECT_EQ(label(3)->Color(), 0x123456u);
    EXPECT_EQ(BodyElement(0)->BgColor(), 0xFFFFFFu);
}

TEST_F(ElementLayout, AThinBorderIsOnePixelAtAnyZoom)
{
    for (const double zoom : { 0.1, 1.0, 4.0 }) {
        report.Settings().displayZoom = zoom;
        const TVisualElemPigger* item = Item("<BAND BORDER-TOP=\"0.01\" BORDER-LEFT=\"2\" BORDER-RIGHT=\"-3\"/>");
        EXPECT_EQ(item->BorderTop(), 1) << zoom;
        EXPECT_EQ(item->BorderBottom(), 0) << zoom;
        EXPECT_EQ(item->BorderLeft(), int(std::nearbyint(2 * report.ScaleX() / 100.0))) << zoom;
        // A negative width draws nothing.
        EXPECT_EQ(item->BorderRight(), 0) << zoom;
    }
}

TEST_F(ElementLayout, WidthInPerCentNeedsAContainer)
{
    // A body band's container is the page content; page bands of the report itself have none.
    Lay("<REPORT><BODY><BAND WIDTH=\"~50\" HEIGHT=\"5\"/></BODY></REPORT>");
    EXPECT_EQ(BodyElement(0)->Width(), 210 * Scale / 2);
    Lay("<REPORT><HEAD><PAGEHEADER WIDTH=\"~50\"/></HEAD></REPORT>");
    report.PageHeader()->Layout(0, 0);
    EXPECT_EQ(report.PageHeader()->Width(), 0);
}
