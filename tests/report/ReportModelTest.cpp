#include "ReportTesting.h"

#include "report/TBandPigger.h"
#include "report/TFontPigger.h"
#include "report/THeadPigger.h"
#include "report/TImageDataPigger.h"
#include "report/TImagePigger.h"
#include "report/TImagesPigger.h"
#include "report/TLabelPigger.h"
#include "report/TNewpagePigger.h"
#include "report/TStylePigger.h"
#include "testutil/ErrorMessage.h"
#include "tree/EKelPiggerError.h"

#include <typeinfo>

using namespace quillo;

namespace {

class ReportModel : public testutil::ReportTest {
protected:
    void Read(const QByteArray& text)
    {
        report.SetMeasurer(&measurer);
        report.Load(text);
    }
    TLabelPigger* BodyLabel(int band, int index = 0) const
    {
        return dynamic_cast<TLabelPigger*>(report.Body()->Child(band)->Child(index));
    }
};

} // namespace

TEST_F(ReportModel, TagAndParentChooseTheClass)
{
    Read("<report><head><Style NAME=\"s\"><X/></Style><FONT><Y/></FONT><PAGEFOOTER/><BAND/></head>"
         "<PAGEHEADER/><IMAGES><IMAGEDATA><Z/></IMAGEDATA><IMAGE/></IMAGES>"
         "<BODY><band><BAND><LABEL><BAND/></LABEL><IMAGE/><NEWPAGE/></BAND></band><NEWPAGE><LABEL/></NEWPAGE>"
         "<TABLEEND/><LABEL/><unknown><BAND/></unknown></BODY></report>");
    const THeadPigger& head = *report.Head();
    EXPECT_EQ(typeid(*head.Child(0)), typeid(TStylePigger));
    EXPECT_EQ(typeid(*head.Child(0)->Child(0)), typeid(TKelPigger));
    EXPECT_EQ(typeid(*head.Child(1)), typeid(TFontPigger));
    EXPECT_EQ(head.ChildCount(), 3);
    // The page footer written in HEAD belongs to the report; the header written under REPORT is dropped.
    EXPECT_EQ(report.PageFooter()->Parent(), &report);
    EXPECT_EQ(report.PageHeader(), nullptr);
    EXPECT_EQ(report.Images()->ChildCount(), 1);
    EXPECT_EQ(report.Images()->Child(0)->ChildCount(), 1);

    const TBodyPigger& body = *report.Body();
    ASSERT_EQ(body.ChildCount(), 3);
    const auto* outer = dynamic_cast<TBandPigger*>(body.Child(0));
    ASSERT_NE(outer, nullptr);
    const auto* inner = dynamic_cast<TBandPigger*>(outer->Child(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Container(), outer);
    EXPECT_EQ(inner->Report(), &report);
    ASSERT_EQ(inner->ChildCount(), 2);
    EXPECT_EQ(inner->Child(0)->ChildCount(), 0);
    EXPECT_NE(dynamic_cast<TImagePigger*>(inner->Child(1)), nullptr);
    EXPECT_EQ(dynamic_cast<TElemPigger*>(body.Child(1))->Kind(), TElemPigger::PageBreak);
    EXPECT_EQ(body.Child(1)->ChildCount(), 0);
    EXPECT_EQ(dynamic_cast<TElemPigger*>(body.Child(2))->Kind(), TElemPigger::TableEnd);
}

TEST_F(ReportModel, TheFirstOfEachPartCounts)
{
    Read("<REPORT TITLE=\"T\"><BODY><BAND/></BODY><BODY/><HEAD><PAGEHEADER NAME=\"1\"/><PAGEHEADER NAME=\"2\"/></HEAD>"
         "<HEAD><FONT NAME=\"DEFAULT\"/></HEAD></REPORT>");
    EXPECT_EQ(report.Title(), "T");
    EXPECT_EQ(report.Body()->ChildCount(), 1);
    EXPECT_EQ(report.PageHeader()->GetAttr(QStringLiteral("NAME")), QStringLiteral("1"));
    // The second HEAD's font is not seen: the first HEAD gets a default font of its own.
    EXPECT_EQ(report.Head()->DefaultFont()->Parent(), report.Head());
}

TEST_F(ReportModel, StylesCopyWhatTheElementLacks)
{
    Read("<REPORT><HEAD><STYLE NAME=\"row\" HEIGHT=\"7\" COLOR=\"RED\" STYLE=\"other\"/>"
         "<STYLE NAME=\"ROW\" HEIGHT=\"99\" ALIGN=\"RIGHT\"/><STYLE NAME=\"other\" WIDTH=\"5\"/>"
         "<STYLE NAME=\"pic\" WIDTH=\"3\"/></HEAD>"
         "<IMAGES><IMAGEDATA NAME=\"Pic\"/></IMAGES>"
         "<BODY><BAND STYLE=\"Row\" COLOR=\"BLUE\"><IMAGE STYLE=\"pic\"/></BAND><NEWPAGE "
         "STYLE=\"row\"/></BODY></REPORT>");
    const TKelPigger& band = *report.Body()->Child(0);
    // The first STYLE of a name wins, the element's own value wins, and the style's own STYLE is not followed.
    EXPECT_EQ(band.GetAttr(QStringLiteral("HEIGHT")), QStringLiteral("7"));
    EXPECT_EQ(band.GetAttr(QStringLiteral("COLOR")), QStringLiteral("BLUE"));
    EXPECT_EQ(band.GetAttr(QStringLiteral("ALIGN")), QString());
    EXPECT_EQ(band.GetAttr(QStringLiteral("WIDTH")), QStringLiteral("+0"));
    EXPECT_EQ(band.GetAttr(QStringLiteral("STYLE")), QString());
    EXPECT_EQ(band.GetAttr(QStringLiteral("NAME")), QStringLiteral("row"));
    // NAME comes with the style, so the image shows the picture the style is named after.
    const auto* image = dynamic_cast<TImagePigger*>(band.Child(0));
    EXPECT_EQ(image->ImageName(), QStringLiteral("PIC"));
    EXPECT_EQ(image->ImageData(), report.Images()->Child(0));
    EXPECT_EQ(report.Body()->Child(1)->GetAttr(QStringLiteral("HEIGHT")), QStringLiteral("7"));
}

TEST_F(ReportModel, LabelsFindTheirFonts)
{
    Read("<REPORT><HEAD><FONT NAME=\"big\" SIZE=\"20\" BOLD=\"yes\"/><FONT ITALIC=\"YES\"/><FONT NAME=\"Default\" "
         "SIZE=\"8\"/>"
         "</HEAD><BODY><BAND><LABEL FONT=\"BIG\" AFONT=\"nothing\"/><LABEL/><LABEL "
         "FONT=\"missing\"/></BAND></BODY></REPORT>");
    const THeadPigger& head = *report.Head();
    EXPECT_EQ(BodyLabel(0, 0)->Font(), head.Child(0));
    EXPECT_EQ(BodyLabel(0, 0)->ActiveFont(), head.DefaultFont());
    EXPECT_EQ(head.DefaultFont(), head.Child(2));
    // No FONT attribute: the first FONT without a NAME.
    EXPECT_EQ(BodyLabel(0, 1)->Font(), head.Child(1));
    EXPECT_EQ(BodyLabel(0, 2)->Font(), head.DefaultFont());
    EXPECT_TRUE(dynamic_cast<TFontPigger*>(head.Child(0))->Bold());
    EXPECT_EQ(head.Child(1)->GetAttr(QStringLiteral("SIZE")), QStringLiteral("10"));
}

TEST_F(ReportModel, WithoutHeadThereIsStillATenPointDefaultFont)
{
    Lay("<REPORT><BODY><BAND><LABEL TEXT=\"x\"/></BAND></BODY></REPORT>");
    const TFontPigger* font = BodyLabel(0)->Font();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, report.Head()->DefaultFont());
    EXPECT_EQ(font->GetAttr(QStringLiteral("SIZE")), QStringLiteral("10"));
    // 10 points at 96 DPI: 13.3 pixels of character height.
    EXPECT_EQ(font->PixelHeight(), -13);
    EXPECT_EQ(font->DeviceFont().pixelSize(), 13);
}

TEST_F(ReportModel, FontAttributes)
{
    Lay("<REPORT><HEAD><FONT NAME=\"a\" HEIGHT=\"10\" ANGLE=\"90\" FAMILY=\"roman\" PITCH=\"FIXED\" CHARSET=\"greek\" "
        "UNDERLINE=\"YES\" STRIKEOUT=\"yes\" FACE=\"DejaVu Sans\"/>"
        "<FONT NAME=\"b\" SIZE=\"big\" FAMILY=\"odd\" CHARSET=\"odd\"/></HEAD></REPORT>");
    const auto* a = dynamic_cast<TFontPigger*>(report.Head()->Child(0));
    EXPECT_EQ(a->PixelHeight(), 38);
    EXPECT_EQ(a->Escapement(), -900);
    EXPECT_EQ(a->Family(), 0x10);
    EXPECT_EQ(a->Pitch(), 1);
    EXPECT_EQ(a->Charset(), 0xA1);
    EXPECT_EQ(a->FaceName(), "DejaVu Sans");
    EXPECT_TRUE(a->DeviceFont().underline() && a->DeviceFont().strikeOut());
    EXPECT_EQ(a->DeviceFont().family(), QStringLiteral("DejaVu Sans"));
    const auto* b = dynamic_cast<TFontPigger*>(report.Head()->Child(1));
    EXPECT_EQ(b->PixelHeight(), -13);
    EXPECT_EQ(b->Family(), 0);
    EXPECT_EQ(b->Charset(), 1);
}

TEST_F(ReportModel, AReadingErrorLeavesAnEmptyReport)
{
    Read("<REPORT><BODY><BAND/></BODY></REPORT>");
    EXPECT_THROW(report.Load("<REPORT><BODY>"), EKelPiggerError);
    EXPECT_EQ(report.Body(), nullptr);
    EXPECT_NE(report.Head()->DefaultFont(), nullptr);
    report.PrepareLayout(&device);
    EXPECT_EQ(report.PageCount(), 0);
}

TEST_F(ReportModel, LabelSettings)
{
    Read("<REPORT><BODY><BAND><LABEL TEXT=\"a%26b\" ALIGNMENT=\"right\" VALIGNMENT=\"Center\" WORDWRAP=\"YES\" "
         "ELLIPSIS=\"yes\" PATH=\"no\" HREF=\"mailto:a@b\"/><LABEL ALIGNMENT=\"middle\"/></BAND></BODY></REPORT>");
    const TLabelPigger& label = *BodyLabel(0);
    EXPECT_EQ(label.LabelText(), QStringLiteral("a&b"));
    EXPECT_EQ(label.TextFlags().horizontal, TTextFlags::Right);
    EXPECT_EQ(label.TextFlags().vertical, TTextFlags::VCenter);
    EXPECT_TRUE(label.TextFlags().wordWrap && label.TextFlags().ellipsis);
    EXPECT_FALSE(label.TextFlags().pathEllipsis);
    EXPECT_EQ(label.HRef(), "mailto:a@b");
    // Single line when drawn, not when measured.
    EXPECT_TRUE(label.TextFlags().QtFlags(false) & Qt::TextSingleLine);
    EXPECT_FALSE(label.TextFlags().QtFlags(true) & Qt::TextSingleLine);
    EXPECT_EQ(BodyLabel(0, 1)->TextFlags().horizontal, TTextFlags::Left);
}
