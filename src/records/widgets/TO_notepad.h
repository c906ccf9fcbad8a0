#pragma once

#include <QFrame>

namespace quillo {

class TKelPigger;

// The record grid of the data sheet. For now it only keeps the state the main window drives;
// the grid itself fills this frame.
class TO_notepad : public QFrame {
    Q_OBJECT

public:
    explicit TO_notepad(QWidget* parent = nullptr);

    void SetNotebook(TKelPigger* notebook) { m_notebook = notebook; }
    TKelPigger* Notebook() const { return m_notebook; }
    void OpenNotebook();
    void CloseNotebook();
    void SelectPageByName(const QString& name);
    void SetRightTabs(bool right) { m_rightTabs = right; }

    bool IsActive() const { return m_active; }
    bool RightTabs() const { return m_rightTabs; }
    QString CurrentPageName() const { return m_pageName; }

private:
    TKelPigger* m_notebook = nullptr;
    bool m_active = false;
    bool m_rightTabs = false;
    QString m_pageName;
};

} // namespace quillo
