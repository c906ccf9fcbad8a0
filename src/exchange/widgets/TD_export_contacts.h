#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace quillo {

class IFileDialogs;
class IFileOps;
class IPrompts;
class TKelPigger;

// File > Export contacts...: the whole notebook or the current page, as vCard 4.0 or CSV, into a file the
// user names. The file is written whole or not at all.
class TD_export_contacts : public QDialog {
    Q_OBJECT

public:
    TD_export_contacts(IPrompts& prompts, IFileDialogs& fileDialogs, IFileOps& files, QWidget* parent = nullptr);

    // Returns true when a file was written; page may be null (then only the whole notebook is offered).
    bool Execute(const TKelPigger& notebook, const TKelPigger* page);

    QRadioButton* RB_notebook;
    QRadioButton* RB_page;
    QRadioButton* RB_vcard;
    QRadioButton* RB_csv;
    QPushButton* Btn_ok;
    QPushButton* Btn_cancel;

private:
    bool Write(const TKelPigger& notebook, const TKelPigger* page);

    IPrompts& m_prompts;
    IFileDialogs& m_fileDialogs;
    IFileOps& m_files;
};

} // namespace quillo
