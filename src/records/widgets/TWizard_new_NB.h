#pragma once

#include "records/widgets/TWizard.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillo {

class IDesktop;
class IFileDialogs;
class IPrompts;
class TKelPigger;
class TO_prn_page;
struct TNewNotebookPlan;

// The new-notebook wizard: the name, the fields, the pages and the print template of a notebook that
// "Ok" appends to the document root.
class TWizard_new_NB : public TWizard {
    Q_OBJECT

public:
    TWizard_new_NB(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop, QWidget* parent = nullptr);

    // Step 0
    QLineEdit* Edit1 = nullptr;
    // Step 1
    QListWidget* CLB_fields = nullptr;
    QLineEdit* Edit_custom_field = nullptr;
    QPushButton* SB_add_custom_fld = nullptr;
    QPushButton* SB_custom_fld_set = nullptr;
    // Step 2
    QListWidget* CLB_pages = nullptr;
    QLineEdit* Edit_custom_page = nullptr;
    QPushButton* SB_add_custom_page = nullptr;
    QPushButton* SB_clear_pages = nullptr;
    QPushButton* SB_ABC = nullptr;
    QPushButton* SB_custom_pg_set = nullptr;
    // Step 3
    TO_prn_page* O_prn_page1 = nullptr;

    // Runs the wizard modally on root; true when "Ok" appended a notebook. False at once for no root.
    bool ExecuteWizard(TKelPigger* root);
    // Shows the wizard for root without waiting; closing it with "Ok" appends the notebook.
    void Open(TKelPigger& root);

    bool Finished() const { return m_finished; }
    // The notebook "Ok" appended; nullptr before or when cancelled.
    TKelPigger* NewNotebook() const { return m_notebook; }

    // The folder that the set file dialogs start in.
    static QString CustomFolder();

    void UpdateButtons() override;

protected:
    void PageChanged() override;

private:
    QWidget* NewNameStep();
    QWidget* NewFieldsStep();
    QWidget* NewPagesStep();
    QWidget* NewTemplateStep();
    void Begin(TKelPigger& root);
    void AddCustom(QListWidget* list, QLineEdit* edit);
    void LoadSet(QListWidget* list, bool fields);
    TNewNotebookPlan Plan() const;
    void Build();

    IPrompts& m_prompts;
    IFileDialogs& m_fileDialogs;
    TKelPigger* m_root = nullptr;
    TKelPigger* m_notebook = nullptr;
    bool m_finished = false;
};

} // namespace quillo
