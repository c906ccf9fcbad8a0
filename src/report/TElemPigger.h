#pragma once

#include "report/TBasePigger.h"

#include <cstdint>

namespace quillo {

class TReportPigger;

// An element of the body or of a band. Its own child elements are read and dropped.
class TElemPigger : public TBasePigger {
public:
    enum TKind : uint8_t { Visual = 1, PageBreak = 2, TableEnd = 3 };

    TElemPigger(TKelPigger* parent, TReportPigger* report, TKind kind);

    TKelPigger* Create(TKelPigger* parent) const override;
    TKelPigger* CreateChild(const QByteArray&) override { return nullptr; }
    // Applies the style, then initialises the children.
    void Init() override;

    TReportPigger* Report() const { return m_report; }
    TKind Kind() const { return m_kind; }

    // The report that a new element under parent belongs to.
    static TReportPigger* ReportOf(TKelPigger* parent);

protected:
    // Copies the attributes of the STYLE the element names, except those the element has.
    void ApplyStyle();

private:
    TReportPigger* m_report;
    TKind m_kind;
};

} // namespace quillo
