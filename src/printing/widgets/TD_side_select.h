#pragma once

#include <QDialog>

class QButtonGroup;
class QRadioButton;

namespace quillo {

class TSideShape;

// "Page location": on which side of the notebook a page printed as a plain report lies. The choice is
// made with the radio group or by clicking a half of the pictured notebook.
class TD_side_select : public QDialog {
    Q_OBJECT
public:
    explicit TD_side_select(QWidget* parent = nullptr);

    // Shows the dialog with side ("LEFT" or "RIGHT") chosen; the side the user confirmed, empty on Cancel.
    QString ChoosePageSide(const QString& side);

    QRadioButton* Item(int index) const;
    TSideShape* Shape_left = nullptr;
    TSideShape* Shape_right = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Select(int index);
    void UpdateOutlines();
    QRect NotebookRect() const;

    QButtonGroup* m_items = nullptr;
};

} // namespace quillo
