#pragma once

#include <QSize>

class QPainter;

namespace quillo {

// Sheets printed on both sides, as the preview window shows them: side 2 * n is the front of sheet n,
// side 2 * n + 1 its back.
class ISheetSource {
public:
    virtual ~ISheetSource() = default;
    virtual int SheetCount() const = 0;
    // The sheet as printed, in millimetres: wider than high is landscape.
    virtual QSize PaperSize() const = 0;
    // Draws one side onto a painter whose device is the sheet.
    virtual void DrawSide(QPainter& painter, int side) = 0;
};

} // namespace quillo
