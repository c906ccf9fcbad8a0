#include "report/TTableHeadRepeater.h"

#include "report/TBandPigger.h"
#include "report/TBodyPigger.h"
#include "report/TVirtualPageContent.h"

namespace quillo {

void TTableHeadRepeater::Repeat(TVirtualPageContent& content) const
{
    if (!m_head)
        return;
    auto* copy = new TBandPigger(&content, content.Report(), &content);
    copy->Assign(*m_head);
    copy->Init();
    content.SetRepeatedHead(copy);
}

void TTableHeadRepeater::Scan(const TBodyPigger& body, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        const auto* element = dynamic_cast<const TElemPigger*>(body.Child(i));
        if (!element)
            continue;
        if (element->Kind() == TElemPigger::TableEnd) {
            m_head = nullptr;
        } else if (const auto* visual = dynamic_cast<const TVisualElemPigger*>(element)) {
            if (visual->IsTableHead())
                m_head = visual;
        }
    }
}

} // namespace quillo
