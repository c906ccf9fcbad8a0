#include "report/ITextMeasurer.h"

#include <QFontMetrics>

namespace quillo {

QSize TQtTextMeasurer::Measure(
    const QFont& font, const QString& text, const TTextFlags& flags, int width, QPaintDevice* device)
{
    const QFontMetrics metrics(font, device);
    return metrics.boundingRect(QRect(0, 0, qMax(width, 0), 0), flags.QtFlags(true), text).size();
}

} // namespace quillo
