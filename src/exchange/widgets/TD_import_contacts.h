#pragma once

#include "exchange/ContactImport.h"
#include "exchange/TContactFields.h"
#include "exchange/TCsvReader.h"
#include "exchange/TVCardReader.h"

#include <QDialog>

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quillo {

class IFileDialogs;
class IPrompts;

// File > Import contacts...: reads a vCard or CSV file for the current notebook, shows the first records as
// they will be stored and, for CSV, the column of each field (the user may change it), then imports into a
// copy of the notebook with a progress bar and shows what it did. Only "Keep" hands the copy back; "Revert
// import", Cancel or closing leave the document as it was.
class TD_import_contacts : public QDialog {
    Q_OBJECT

public:
    TD_import_contacts(IPrompts& prompts, IFileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~TD_import_contacts() override;

    // Asks for the file, then runs Execute; nullptr when the user chose none.
    std::unique_ptr<TKelPigger> Run(const TKelPigger& notebook);
    // The notebook with the import applied when the user keeps it; nullptr when the file is refused (the
    // user is told why), or the user cancels or reverts.
    std::unique_ptr<TKelPigger> Execute(const TKelPigger& notebook, const QString& fileName, const QByteArray& bytes);

    // Rows of the preview.
    static constexpr int PreviewRows = 20;

    QLabel* Label_file;
    QTableWidget* Grid_mapping;
    QTableWidget* Grid_preview;
    QCheckBox* CB_create_fields;
    QCheckBox* CB_one_page;
    QComboBox* CMB_page;
    QLabel* Label_unmatched;
    QProgressBar* ProgressBar1;
    QLabel* Label_summary;
    QPushButton* Btn_import;
    QPushButton* Btn_keep;
    QPushButton* Btn_revert;
    QPushButton* Btn_cancel;

private:
    bool Read(const QString& fileName, const QByteArray& bytes);
    void Guess();
    void Remap();
    void FillMapping();
    void FillPreview();
    void ColumnChosen(int column, int choice);
    void Import();
    void ShowStage(bool summary);

    IPrompts& m_prompts;
    IFileDialogs& m_fileDialogs;
    const TKelPigger* m_notebook = nullptr;
    bool m_csv = false;
    std::vector<TVCard> m_cards;
    TCsvTable m_table;
    std::vector<TCsvColumn> m_guessed;
    std::vector<TCsvColumn> m_columns;
    std::optional<TContactFields> m_fields;
    TContactBatch m_batch;
    QStringList m_previewFields;
    std::unique_ptr<TKelPigger> m_result;
};

} // namespace quillo
