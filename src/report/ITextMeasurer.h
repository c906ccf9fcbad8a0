#pragma once

#include "report/TTextFlags.h"

#include <QSize>

class QFont;
class QPaintDevice;
class QString;

namespace quillo {

// Measures label text for the layout; tests put a measurer with exact widths in its place.
class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // Pixel size of text drawn with font and flags into a rectangle width pixels wide (0: not known).
    virtual QSize Measure(
        const QFont& font, const QString& text, const TTextFlags& flags, int width, QPaintDevice* device)
        = 0;
};

// The production measurer: the font's metrics on the device.
class TQtTextMeasurer : public ITextMeasurer {
public:
    QSize Measure(
        const QFont& font, const QString& text, const TTextFlags& flags, int width, QPaintDevice* device) override;
};

} // namespace quillo
