#include "report/TElemPigger.h"

#include "report/THeadPigger.h"
#include "report/TReportPigger.h"
#include "report/TStylePigger.h"

namespace quillo {

TElemPigger::TElemPigger(TKelPigger* parent, TReportPigger* report, TKind kind)
    : TBasePigger(parent)
    , m_report(report)
    , m_kind(kind)
{
}

TKelPigger* TElemPigger::Create(TKelPigger* parent) const { return new TElemPigger(parent, ReportOf(parent), m_kind); }

TReportPigger* TElemPigger::ReportOf(TKelPigger* parent)
{
    for (TKelPigger* node = parent; node; node = node->Parent()) {
        if (auto* report = dynamic_cast<TReportPigger*>(node))
            return report;
        if (auto* element = dynamic_cast<TElemPigger*>(node))
            return element->Report();
    }
    return nullptr;
}

void TElemPigger::Init()
{
    ApplyStyle();
    TBasePigger::Init();
}

void TElemPigger::ApplyStyle()
{
    const int index = IndexOfAttr(u"STYLE");
    if (index < 0)
        return;
    const QString name = AttrValue(index).toUpper();
    // The element still holds its STYLE while the style is copied, so a style's own STYLE is not followed.
    const THeadPigger* head = m_report ? m_report->Head() : nullptr;
    if (const TStylePigger* style = head ? head->FindStyle(name) : nullptr) {
        for (int i = 0; i < style->AttrCount(); ++i) {
            const QStringView attr = style->AttrNameView(i);
            if (IndexOfAttr(attr) < 0)
                SetAttr(attr.toString(), style->AttrValue(i));
        }
    }
    DeleteAttr(QStringLiteral("STYLE"));
}

} // namespace quillo
