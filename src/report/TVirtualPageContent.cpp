#include "report/TVirtualPageContent.h"

#include "report/TBandPigger.h"
#include "report/TBodyPigger.h"
#include "report/TPageBreakRule.h"

namespace quillo {

TVirtualPageContent::TVirtualPageContent(
    TKelPigger* parent, TReportPigger* report, TVisualElemPigger* container, TBodyPigger* body)
    : TVisualElemPigger(parent, report, container)
    , m_body(body)
{
    SetTag("CONTENT");
    SetArrange(Vertical);
}

int TVirtualPageContent::ItemCount() const { return m_last - m_first + 1 + (m_repeatedHead ? 1 : 0); }

TElemPigger* TVirtualPageContent::Item(int index)
{
    if (m_repeatedHead) {
        if (index == 0)
            return m_repeatedHead;
        --index;
    }
    auto* element = dynamic_cast<TElemPigger*>(m_body->Child(m_first + index));
    if (auto* visual = dynamic_cast<TVisualElemPigger*>(element))
        visual->SetContainer(this);
    return element;
}

bool TVirtualPageContent::ItemPlaced(int index, int, int y)
{
    const int headItems = m_repeatedHead ? 1 : 0;
    const TElemPigger* item = Item(index);
    const bool isPageBreak = item && item->Kind() == TElemPigger::PageBreak;
    switch (TPageBreakRule::Decide(index, headItems, y < Height(), isPageBreak)) {
    case TPageBreakRule::GoOn:
        return false;
    case TPageBreakRule::EndAfterItem:
        m_last = m_first;
        break;
    case TPageBreakRule::EndBeforeItem:
        m_last = m_first + index - 1 - headItems;
        break;
    }
    // A table head never stands alone at the foot of a page: it goes on with its first row.
    const auto* last = dynamic_cast<const TVisualElemPigger*>(m_body->Child(m_last));
    if (m_last > m_first && last && last->IsTableHead())
        --m_last;
    return true;
}

} // namespace quillo
