#pragma once

#include <QDialog>

class QPushButton;
class QStackedWidget;

namespace quillo {

// A step-by-step dialog: one sheet per step, "<< Prior" and "Next >>" between them, "Ok" on the last
// step and "Cancel" on every step.
class TWizard : public QDialog {
    Q_OBJECT

public:
    explicit TWizard(QWidget* parent = nullptr);

    QStackedWidget* pages = nullptr;
    QPushButton* btnPrev = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnFinish = nullptr;
    QPushButton* btnCancel = nullptr;

    // The step shown before the current one; -1 before any step changed.
    int PrevPageIndex() const { return m_prevPageIndex; }

    virtual int CurrentPageIndex() const;
    // Shows step index when there is one; PageChanged runs in every case.
    virtual void ShowPage(int index);
    virtual void UpdateButtons();

protected:
    // Runs after every ShowPage.
    virtual void PageChanged() { }
    // Appends a step; returns its index.
    int AddStep(QWidget* sheet);
    int LastPageIndex() const;

private:
    int m_prevPageIndex = -1;
};

} // namespace quillo
