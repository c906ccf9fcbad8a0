#pragma once

#include "report/TVisualElemPigger.h"

namespace quillo {

class TBandPigger;
class TBodyPigger;
class TVirtualPageContent;

// One page made by the layout: header band, content and footer band, arranged vertically.
class TVirtualPage : public TVisualElemPigger {
public:
    TVirtualPage(TKelPigger* pageList, TReportPigger* report, TBodyPigger* body);

    TBandPigger* Header() const { return m_header; }
    TVirtualPageContent* Content() const { return m_content; }
    TBandPigger* Footer() const { return m_footer; }

private:
    TBandPigger* m_header;
    TVirtualPageContent* m_content;
    TBandPigger* m_footer;
};

} // namespace quillo
