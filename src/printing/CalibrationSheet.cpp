#include "printing/CalibrationSheet.h"

#include "tree/EKelError.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <functional>

namespace quillo::CalibrationSheet {

namespace {

constexpr double MmPerInch = 25.4;

// A ruler along one edge: a tick every millimetre, longer every 5 mm, numbered every 10 mm. along and
// across map a length in millimetres onto the sheet.
void Ruler(QPainter& painter, int length, const std::function<QPointF(double along, double across)>& at)
{
    for (int mm = 0; mm <= length; ++mm) {
        const double tick = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2;
        painter.drawLine(at(mm, 0), at(mm, tick));
        if (mm % 10 == 0 && mm > 0 && mm < length)
            painter.drawText(at(mm + 0.5, 9), QString::number(mm));
    }
}

} // namespace

void DrawSide(QPainter& painter, int paperWidth, int paperHeight, bool back, const TPrintOffsets& offsets)
{
    const double pxX = painter.device()->logicalDpiX() / MmPerInch;
    const double pxY = painter.device()->logicalDpiY() / MmPerInch;
    const auto mm = [&](double x, double y) { return QPointF(x * pxX, y * pxY); };
    painter.save();
    ShiftBySide(painter, offsets, back);
    painter.setPen(QPen(Qt::black, 0.15 * pxX));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(2.5 * pxY));
    painter.setFont(font);
    const double w = paperWidth;
    const double h = paperHeight;
    Ruler(painter, paperWidth, [&](double a, double c) { return mm(a, c); });
    Ruler(painter, paperWidth, [&](double a, double c) { return mm(a, h - c); });
    Ruler(painter, paperHeight, [&](double a, double c) { return mm(c, a); });
    Ruler(painter, paperHeight, [&](double a, double c) { return mm(w - c, a); });
    painter.drawLine(mm(CrossLeft - 10, CrossTop), mm(CrossLeft + 10, CrossTop));
    painter.drawLine(mm(CrossLeft, CrossTop - 10), mm(CrossLeft, CrossTop + 10));
    painter.drawText(mm(CrossLeft + 12, CrossTop - 2),
        QStringLiteral("%1: the cross belongs %2 mm from the left edge and %3 mm from the top.")
            .arg(back ? QStringLiteral("Back") : QStringLiteral("Front"))
            .arg(CrossLeft)
            .arg(CrossTop));
    painter.drawText(mm(CrossLeft + 12, CrossTop + 3),
        QStringLiteral("Measure where it lies and enter the difference in tenths of a millimetre."));
    painter.restore();
}

void Print(QPagedPaintDevice& device, int paperWidth, int paperHeight, const TPrintOffsets& offsets)
{
    device.setPageOrientation(paperWidth > paperHeight ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        throw EKelError("Printing failed");
    DrawSide(painter, paperWidth, paperHeight, false, offsets);
    if (!device.newPage())
        throw EKelError("Printing failed");
    DrawSide(painter, paperWidth, paperHeight, true, offsets);
    if (!painter.end())
        throw EKelError("Printing failed");
}

} // namespace quillo::CalibrationSheet
