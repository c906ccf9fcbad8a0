#pragma once

#include <QScrollArea>

namespace quillo {

class ISheetSource;

// The sheets of a two-sided print, one sheet at a time: its front at the left, its back at the right, as
// they come out of the printer. Until the zoom is set, both sides are fitted into the visible area.
class TSheetView : public QScrollArea {
    Q_OBJECT
public:
    explicit TSheetView(QWidget* parent = nullptr);

    // Shows the source's first sheet, fitted; null shows nothing. The source outlives its showing.
    void SetSource(ISheetSource* source);
    ISheetSource* Source() const { return m_source; }
    int SheetCount() const;
    // -1 when nothing is shown.
    int Sheet() const { return m_sheet; }
    // Shows sheet index, kept within the sheets.
    void SetSheet(int index);
    int DisplayZoom() const { return m_zoom; }
    void SetDisplayZoom(int percent);
    void FitSheet();
    // Where the front (0) or the back (1) of the sheet lies on the paint box.
    QRect SideRect(int which) const;
    QWidget* Box() const { return m_box; }
    // Draws side onto painter at the display zoom; used by the paint box.
    void PaintSide(QPainter& painter, int which) const;

signals:
    // Ctrl and the mouse wheel: steps up (positive) or down.
    void WheelZoom(int steps);
    // The sheet or the zoom changed.
    void ViewChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double PxPerMm() const;
    void Relayout();

    ISheetSource* m_source = nullptr;
    int m_sheet = -1;
    int m_zoom = 100;
    bool m_fit = true;
    QWidget* m_box;
};

} // namespace quillo
