#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillo {

class IMainWindow;
class TKelPigger;

// The properties of one notebook: name, description, page tab position and records per page,
// with new and delete.
class TO_notebook : public QFrame {
    Q_OBJECT

public:
    TO_notebook(IMainWindow& main, QWidget* parent = nullptr);

    QLineEdit* Edit_nb_name = nullptr;
    QPlainTextEdit* Memo_nb_dsc = nullptr;
    QGroupBox* RG_tab_position = nullptr;
    QRadioButton* RB_top = nullptr;
    QRadioButton* RB_right = nullptr;
    QSpinBox* SE_rpp = nullptr;
    QPushButton* Btn_new_notebook = nullptr;
    QPushButton* Btn_delete_notebook = nullptr;
    QPushButton* Btn_apply = nullptr;
    QPushButton* btn_reminder = nullptr;
    QPushButton* Btn_print_notebook = nullptr;
    // Says what to do while no notebook is shown.
    QLabel* Label_hint = nullptr;

    // Shows the notebook, or empties and disables the panel for none.
    void Load(TKelPigger* notebook);
    TKelPigger* Notebook() const { return m_notebook; }
    // The document that "New..." adds notebooks to.
    void SetDocument(TKelPigger* document) { m_document = document; }

    void Apply();
    // What was typed and not applied yet goes into the notebook; false when there was nothing.
    bool ApplyPending();
    bool HasPendingEdits() const;
    void NewNotebook();
    void DeleteNotebook();

signals:
    // An edit made Apply possible, or applying or loading ended that.
    void PendingEditsChanged();
    // "Print notebook..." was pressed for the notebook shown.
    void PrintNotebookWanted();

private:
    void Edited();

    IMainWindow& m_main;
    TKelPigger* m_notebook = nullptr;
    TKelPigger* m_document = nullptr;
    bool m_loading = false;
};

} // namespace quillo
