#include "report/TVirtualPage.h"

#include "report/TBandPigger.h"
#include "report/TVirtualPageContent.h"

namespace quillo {

TVirtualPage::TVirtualPage(TKelPigger* pageList, TReportPigger* report, TBodyPigger* body)
    : TVisualElemPigger(pageList, report, nullptr)
    , m_header(new TBandPigger(this, report, this))
    , m_content(new TVirtualPageContent(this, report, this, body))
    , m_footer(new TBandPigger(this, report, this))
{
    SetTag("PAGE");
    SetArrange(Vertical);
    m_header->SetTag("PAGEHEADER");
    m_footer->SetTag("PAGEFOOTER");
}

} // namespace quillo
