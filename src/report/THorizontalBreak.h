#pragma once

namespace quillo {

struct TPageSettings;

// Cutting pages wider than the paper into sheets side by side.
struct THorizontalBreak {
    // Sheets are never more than this many a page.
    static constexpr int MaxSubPages = 100;

    // How many paper widths (less the overlap) a page needs whose content reaches widestPixels.
    static double Ratio(const TPageSettings& settings, int widestPixels, int scaleX);
    // The integer part of ratio, plus one when its fraction exceeds 0.01; 1 to MaxSubPages.
    static int SubPageCount(double ratio);
};

} // namespace quillo
