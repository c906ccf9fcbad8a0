#pragma once

#include "report/TElemPigger.h"

namespace quillo {

// NEWPAGE: the page ends before it (unless it is the first element of a page).
class TNewpagePigger : public TElemPigger {
public:
    TNewpagePigger(TKelPigger* parent, TReportPigger* report)
        : TElemPigger(parent, report, PageBreak)
    {
    }

    TKelPigger* Create(TKelPigger* parent) const override { return new TNewpagePigger(parent, ReportOf(parent)); }
    void Init() override;

    // 1 portrait, 2 landscape; kept, since every page takes the report's orientation.
    uint8_t Orientation() const { return m_orientation; }

private:
    uint8_t m_orientation = 1;
};

} // namespace quillo
