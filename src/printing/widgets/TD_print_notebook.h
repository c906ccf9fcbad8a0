#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillo {

class IFileDialogs;
class IPrompts;
class IReportPrinter;
class TFormPreview;
class TKelPigger;
class TD_printer_calibration;
class TLeafPrint;
class TUserSettings;
struct TPrintOffsets;

// "Print notebook": the notebook's pages, all or a range, printed as organiser leaves in one job, one or two
// leaves a sheet, both sides on the printer or by hand, or written to a PDF file; the preview window shows the
// sheets front beside back.
class TD_print_notebook : public QDialog {
    Q_OBJECT

public:
    TD_print_notebook(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
        TFormPreview& preview, QWidget* parent = nullptr);
    ~TD_print_notebook() override;

    // Sets the notebook and its print template and fills the controls; the caller then shows the dialog.
    void SetNotebook(TKelPigger* notebook, const QString& templatePath);
    TD_printer_calibration& Calibration() { return *m_calibration; }
    // The name under which the printer's offsets are kept: the printer's, or "PDF" without one.
    QString PrinterName() const;

    QRadioButton* RB_all_pages;
    QRadioButton* RB_page_range;
    QSpinBox* SE_from;
    QSpinBox* SE_to;
    QRadioButton* RB_one_up;
    QRadioButton* RB_two_up;
    QLabel* L_two_up;
    QCheckBox* CB_landscape;
    QRadioButton* RB_duplex_printer;
    QRadioButton* RB_duplex_hand;
    QCheckBox* CB_face_up;
    QSpinBox* SE_printermargin_left;
    QSpinBox* SE_printermargin_right;
    QSpinBox* SE_printermargin_top;
    QPushButton* SB_calibration;
    QPushButton* SB_preview;
    QPushButton* SB_print;
    QPushButton* SB_export_pdf;
    QPushButton* SB_close;

private:
    void UpdateControls();
    // The leaves as the controls say, generated; the margins are stored in the settings.
    std::unique_ptr<TLeafPrint> Leaves(const TPrintOffsets& offsets);
    QSize Paper() const;
    void Print();
    void ExportPdf();
    void Preview();
    void ShowWarnings(const TLeafPrint& leaves);
    void Guarded(void (TD_print_notebook::*step)());

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    IFileDialogs& m_files;
    IReportPrinter& m_printer;
    TFormPreview& m_preview;
    TKelPigger* m_notebook = nullptr;
    QString m_template;
    int m_bandWidth = 95;
    QString m_folder;
    TD_printer_calibration* m_calibration;
};

} // namespace quillo
