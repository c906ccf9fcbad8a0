#pragma once

class QPainter;

namespace quillo {

// How far a printer puts the print off where it was meant, in tenths of a millimetre, for each side of the
// sheet: positive moves right and down. Added to every print on that printer.
struct TPrintOffsets {
    // A printer off by more than this is not one to calibrate.
    static constexpr int Limit = 200;

    int frontX = 0;
    int frontY = 0;
    int backX = 0;
    int backY = 0;

    bool IsZero() const { return frontX == 0 && frontY == 0 && backX == 0 && backY == 0; }
    bool operator==(const TPrintOffsets&) const = default;
};

// Moves what the painter draws next by the offsets of one side, at the resolution of its device.
void ShiftBySide(QPainter& painter, const TPrintOffsets& offsets, bool back);

} // namespace quillo
