#pragma once

#include <QFrame>

class QGridLayout;
class QListWidget;
class QPushButton;
class QToolButton;

namespace quillo {

class IMainWindow;
class TKelPigger;

// A list of the children of PAGES or FIELDS by NAME, with the moves both lists share.
class TO_list : public QFrame {
    Q_OBJECT

public:
    TO_list(IMainWindow& main, const QString& noun, QWidget* parent);

    QListWidget* LB1 = nullptr;
    QPushButton* Btn_change = nullptr;
    QToolButton* SB_move_up = nullptr;
    QToolButton* SB_move_dn = nullptr;

    // Empties the list, binds it to the list node (or none) and fills it.
    void Bind(TKelPigger* list);
    TKelPigger* List() const { return m_list; }
    void Fill();
    // The node of the selected entry: the first child whose NAME matches it ignoring case.
    TKelPigger* SelectedNode() const;
    void SelectNode(const TKelPigger* node);
    void MoveSelected(bool up);

protected:
    virtual void UpdateButtons();
    // Adds a button to the column beside the list, above the move buttons.
    void AddButton(QPushButton* button);
    // The Del key on the list presses remove.
    void OnDeleteKey(QPushButton* remove);

    IMainWindow& m_main;

private:
    // "page" or "field", for the name of a move in the Edit menu.
    QString m_noun;
    QGridLayout* m_layout = nullptr;
    int m_buttonRow = 0;
    TKelPigger* m_list = nullptr;
};

} // namespace quillo
