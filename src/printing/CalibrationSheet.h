#pragma once

#include "notebook/TPrintOffsets.h"

class QPagedPaintDevice;
class QPainter;

namespace quillo {

// The printer calibration sheet: millimetre rulers along the four edges of both sides and a cross on each side
// at a known point. The user measures where the crosses landed and enters the differences as the printer's
// offsets.
namespace CalibrationSheet {

// Where the cross is meant to lie, in millimetres from the left and top edges of each side.
constexpr int CrossLeft = 50;
constexpr int CrossTop = 60;

// Draws one side onto a painter whose device is the sheet, moved by the side's offsets.
void DrawSide(QPainter& painter, int paperWidth, int paperHeight, bool back, const TPrintOffsets& offsets);
// Prints the front and the back as one job; the device's paper is used as it is set.
void Print(QPagedPaintDevice& device, int paperWidth, int paperHeight, const TPrintOffsets& offsets);

} // namespace CalibrationSheet
} // namespace quillo
