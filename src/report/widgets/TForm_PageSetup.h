#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quillo {

class TFrame_Preview;

// Margins, print zoom, two-side printing and horizontal breaking of a preview frame's report.
class TForm_PageSetup : public QDialog {
    Q_OBJECT
public:
    explicit TForm_PageSetup(QWidget* parent = nullptr);

    // Loads the controls from the frame and shows the dialog modally; OK applies them in one refresh.
    void Execute(TFrame_Preview& frame);
    // Fills the controls from the frame that OK then changes.
    void LoadFrom(TFrame_Preview& frame);

private:
    // Sets every value on the frame inside one update.
    void ApplyTo(TFrame_Preview& frame) const;
    void OkClick();
    void HorBreakModeClick();
    QSpinBox* SpinEdit(const char* name, int maximum, int step);

    QSpinBox* m_left;
    QSpinBox* m_right;
    QSpinBox* m_top;
    QSpinBox* m_bottom;
    QSpinBox* m_printZoom;
    QCheckBox* m_twoSide;
    QCheckBox* m_horBreak;
    QLabel* m_intersectLabel;
    QSpinBox* m_intersect;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    TFrame_Preview* m_frame = nullptr;
};

} // namespace quillo
