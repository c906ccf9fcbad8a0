#include "report/TReportLayout.h"

#include "report/TBodyPigger.h"
#include "report/TFontPigger.h"
#include "report/THeadPigger.h"
#include "report/THorizontalBreak.h"
#include "report/TPaginator.h"
#include "report/TReportPigger.h"
#include "report/TVirtualPage.h"
#include "report/TVirtualPageContent.h"

#include <QPaintDevice>

#include <algorithm>

namespace quillo {

using namespace ReportValues;

void TReportLayout::Prepare(QPaintDevice* device)
{
    TReportPigger& report = m_report;
    const TPageSettings& settings = report.Settings();
    report.m_device = device;
    const int dpiX = device ? device->logicalDpiX() : 96;
    const int dpiY = device ? device->logicalDpiY() : 96;
    report.m_scaleX = std::max(1, Round(dpiX / 0.254 * settings.printZoom * settings.displayZoom));
    report.m_scaleY = std::max(1, Round(dpiY / 0.254 * settings.printZoom * settings.displayZoom));
    // The overlap is measured on paper, whatever the print zoom.
    report.m_subPageOverlap = Round(settings.intersectSize * report.m_scaleX / 100.0 / settings.printZoom);
    if (THeadPigger* head = report.Head())
        for (int i = 0; i < head->ChildCount(); ++i)
            if (auto* font = dynamic_cast<TFontPigger*>(head->Child(i)))
                font->Realise(report.m_scaleX, report.m_scaleY);
    report.m_horBreakActive = false;
    report.m_subPageCount = 1;
    if (!report.Body())
        return;
    TPaginator paginator(report);
    paginator.Paginate();
    if (!settings.horBreak)
        return;
    report.m_horBreakActive = true;
    const double ratio = THorizontalBreak::Ratio(settings, WidestContent(), report.m_scaleX);
    report.m_subPageCount = THorizontalBreak::SubPageCount(ratio);
    if (report.m_subPageCount > 1)
        paginator.Paginate();
}

int TReportLayout::WidestContent() const
{
    int widest = 0;
    for (int page = 0; page < m_report.PageCount(); ++page) {
        TVirtualPageContent& content = *m_report.Page(page)->Content();
        for (int i = 0; i < content.ItemCount(); ++i)
            if (const auto* item = dynamic_cast<const TVisualElemPigger*>(content.Item(i)))
                widest = std::max(widest, item->Rect().right);
    }
    return widest;
}

} // namespace quillo
