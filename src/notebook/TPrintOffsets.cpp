#include "notebook/TPrintOffsets.h"

#include <QPaintDevice>
#include <QPainter>

namespace quillo {

void ShiftBySide(QPainter& painter, const TPrintOffsets& offsets, bool back)
{
    constexpr double TenthsPerInch = 254.0;
    const QPaintDevice* device = painter.device();
    painter.translate((back ? offsets.backX : offsets.frontX) * device->logicalDpiX() / TenthsPerInch,
        (back ? offsets.backY : offsets.frontY) * device->logicalDpiY() / TenthsPerInch);
}

} // namespace quillo
