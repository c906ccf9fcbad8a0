#pragma once

#include "app/XDisplay.h"

#include <QStringList>

namespace quillo::test {

// With a page shown in the grid: its Print button at (x, y) clicked, the page placed as a left-hand page and the
// print window's PDF exported to pdf. Fails the test when a window does not show or nothing is written.
void ExportLeftHandPage(XDisplay& display, int x, int y, const QString& pdf);

// The PDF is one A4 portrait sheet without a printer: the 95 mm page ends at the 20 mm right margin, so every
// word lies between 95 and 190 mm, and texts are among them.
void ExpectOnTheRightHalf(const QString& pdf, const QStringList& texts);

} // namespace quillo::test
