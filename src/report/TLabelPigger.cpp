#include "report/TLabelPigger.h"

#include "report/TBandPigger.h"
#include "report/TFontPigger.h"
#include "report/THeadPigger.h"
#include "report/TReportPigger.h"

namespace quillo {

using namespace ReportValues;

TKelPigger* TLabelPigger::Create(TKelPigger* parent) const
{
    return new TLabelPigger(parent, ReportOf(parent), dynamic_cast<TVisualElemPigger*>(parent));
}

void TLabelPigger::Init()
{
    TVisualElemPigger::Init();
    DefaultToContentSize(*this);
    m_text = Attr(*this, u"TEXT").toString();
    const QStringView alignment = Attr(*this, u"ALIGNMENT");
    m_flags.horizontal = alignment.compare(u"CENTER", Qt::CaseInsensitive) == 0 ? TTextFlags::Center
        : alignment.compare(u"RIGHT", Qt::CaseInsensitive) == 0                 ? TTextFlags::Right
                                                                                : TTextFlags::Left;
    const QStringView valignment = Attr(*this, u"VALIGNMENT");
    m_flags.vertical = valignment.compare(u"TOP", Qt::CaseInsensitive) == 0 ? TTextFlags::Top
        : valignment.compare(u"CENTER", Qt::CaseInsensitive) == 0           ? TTextFlags::VCenter
        : valignment.compare(u"BOTTOM", Qt::CaseInsensitive) == 0           ? TTextFlags::Bottom
                                                                            : TTextFlags::Multiline;
    m_flags.wordWrap = IsYes(Attr(*this, u"WORDWRAP"));
    m_flags.ellipsis = IsYes(Attr(*this, u"ELLIPSIS"));
    m_flags.pathEllipsis = IsYes(Attr(*this, u"PATH"));
    const THeadPigger* head = Report() ? Report()->Head() : nullptr;
    m_font = head ? head->FindFont(Attr(*this, u"FONT").toString().toUpper()) : nullptr;
    m_activeFont = head ? head->FindFont(Attr(*this, u"AFONT").toString().toUpper()) : nullptr;
    m_href = Attr(*this, u"HREF").toUtf8();
}

void TLabelPigger::AutoSize(int extraWidth, int extraHeight)
{
    if (!m_font)
        return;
    TReportPigger& report = *Report();
    const QSize measured = report.Measurer().Measure(
        m_font->DeviceFont(), m_text.isEmpty() ? QStringLiteral("0") : m_text, m_flags, Width() / 100, report.Device());
    if (Width() == 0 && extraWidth >= 0)
        SetWidth(Clamp(extraWidth + (int64_t(measured.width()) + BorderLeft() + BorderRight()) * 100));
    if (Height() == 0 && extraHeight >= 0)
        SetHeight(Clamp((int64_t(measured.height()) + BorderTop() + BorderBottom()) * 100 + extraHeight));
}

} // namespace quillo
