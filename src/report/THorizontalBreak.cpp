#include "report/THorizontalBreak.h"

#include "report/TPageSettings.h"

#include <algorithm>
#include <cmath>

namespace quillo {

double THorizontalBreak::Ratio(const TPageSettings& settings, int widestPixels, int scaleX)
{
    const double widestMm = double(widestPixels) / scaleX * 100 * settings.printZoom;
    const double usable = settings.PaperWidth() - settings.intersectSize;
    if (usable <= 0)
        return 1;
    return (settings.leftMargin + widestMm + settings.rightMargin - settings.intersectSize) / usable;
}

int THorizontalBreak::SubPageCount(double ratio)
{
    if (!(ratio < MaxSubPages))
        return MaxSubPages;
    const double whole = std::floor(ratio);
    const int count = int(whole) + (ratio - whole > 0.01 ? 1 : 0);
    return std::clamp(count, 1, MaxSubPages);
}

} // namespace quillo
