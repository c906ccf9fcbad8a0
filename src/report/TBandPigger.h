#pragma once

#include "report/TVisualElemPigger.h"

namespace quillo {

// BAND, PAGEHEADER and PAGEFOOTER: a container of bands, labels and images.
class TBandPigger : public TVisualElemPigger {
public:
    using TVisualElemPigger::TVisualElemPigger;

    TKelPigger* Create(TKelPigger* parent) const override;
    TKelPigger* CreateChild(const QByteArray& tag) override;
    // As every visual element, then WIDTH and HEIGHT "+0" where absent.
    void Init() override;
};

// Writes "+0" into WIDTH and HEIGHT where they are absent: sized from the content.
void DefaultToContentSize(TKelPigger& element);

} // namespace quillo
