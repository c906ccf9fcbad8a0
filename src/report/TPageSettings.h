#pragma once

#include "report/ReportValues.h"
#include "tree/EKelError.h"

namespace quillo {

// The renderer's page settings, kept with the report document: paper and margins in millimetres,
// zooms as factors (percent / 100).
struct TPageSettings {
    enum TOrientation : uint8_t { Portrait = 1, Landscape = 2 };

    uint32_t bgColor = ReportValues::White;
    uint32_t fgColor = ReportValues::Black;
    TOrientation orientation = Portrait;
    double printZoom = 1.0;
    double displayZoom = 1.0;
    // The shorter and the longer side of the paper.
    int pageSizeLo = 210;
    int pageSizeHi = 297;
    int leftMargin = 0;
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;
    // Every second page has its left and right margins swapped.
    bool twoSide = false;
    // Overlap of the sheets a wide page is cut into.
    int intersectSize = 0;
    // Cut pages wider than the paper into sheets side by side.
    bool horBreak = false;

    // The checks of the renderer's settings: the value, or an error with the setting's message.
    static double ZoomFactor(int percent)
    {
        if (percent < 10 || percent > 400)
            throw EKelError("Invalid zoom");
        return percent / 100.0;
    }
    static int PageSize(int mm)
    {
        if (mm < 10)
            throw EKelError("Invalid page size");
        return mm;
    }
    static int Margin(int mm)
    {
        if (mm < 0)
            throw EKelError("Invalid margin");
        return mm;
    }
    static int IntersectSize(int mm)
    {
        if (mm < 0 || mm > 20)
            throw EKelError("InvalidIntersectionSize");
        return mm;
    }

    int PaperWidth() const { return orientation == Landscape ? pageSizeHi : pageSizeLo; }
    int PaperHeight() const { return orientation == Landscape ? pageSizeLo : pageSizeHi; }
};

} // namespace quillo
