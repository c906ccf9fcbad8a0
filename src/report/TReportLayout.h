#pragma once

class QPaintDevice;

namespace quillo {

class TReportPigger;

// The whole layout of a report for one device: scales from its resolution and the zooms, device
// fonts, pages, and the sheets wide pages are cut into.
class TReportLayout {
public:
    explicit TReportLayout(TReportPigger& report)
        : m_report(report)
    {
    }

    void Prepare(QPaintDevice* device);

private:
    // The largest right edge, in pixels, of the items on any page's content.
    int WidestContent() const;

    TReportPigger& m_report;
};

} // namespace quillo
