#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace quillo {

class TKelPigger;

// Value syntax of report documents: millimetre numbers, integers, colours, sizes and keywords.
namespace ReportValues {

// Colours are 24-bit values with red in the low byte; this one means "take the container's".
constexpr uint32_t InheritColor = 0x20000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0;

// Positions and sizes are kept within this many centipixels, so that sums of a few never overflow.
constexpr int MaxCentipixels = 1 << 29;

// The attribute's value without a copy; empty when absent. name must be upper case.
QStringView Attr(const TKelPigger& node, QStringView name);

// A decimal number with a point, leading blanks allowed; anything else (also trailing text) gives 0.
double ParseNumber(QStringView text);
// A decimal integer, leading blanks allowed; anything else gives fallback.
int ParseInt(QStringView text, int fallback);
// True exactly for "YES" in any letter case.
bool IsYes(QStringView text);
// "#RRGGBB" or a colour name; anything else gives fallback.
uint32_t ParseColor(QStringView text, uint32_t fallback);

// Nearest integer, halves to the even neighbour, kept within +-MaxCentipixels.
int Round(double value);
// Sums and products of centipixels, kept within +-MaxCentipixels.
int Clamp(int64_t value);
// length mm at scale centipixels per mm, rounded.
int Centipixels(double mm, int scale);
// A border: round(mm * scale / 100) pixels, at least 1 when mm is above 0.
int BorderPixels(double mm, int scale);

// WIDTH and HEIGHT of visual elements.
struct TSize {
    enum Kind : uint8_t { Plain, Fill, Content, Percent };
    Kind kind = Plain;
    double number = 0; // millimetres, or per cent for Percent
    // False for an absent attribute; with a plain 0 it leaves the size to the second pass.
    bool present = false;
};
TSize ParseSize(QStringView text);
// LEFT and TOP: a sign is ignored and "~N" gives 0.
double ParseOffset(QStringView text);

// FONT keywords in the font engine's numbering; an unknown keyword gives fallback.
int FamilyValue(QStringView keyword, int fallback);
int PitchValue(QStringView keyword, int fallback);
int CharsetValue(QStringView keyword, int fallback);

// Writes a number so that ParseNumber reads back the same value.
QString NumberText(double value);

} // namespace ReportValues

} // namespace quillo
