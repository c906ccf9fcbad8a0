#pragma once

#include "printing/PageReport.h"
#include "reportgen/TRepGenPig.h"

#include <QDialog>

class QPushButton;
class QSize;

namespace quillo {

class IDesktop;
class IFileDialogs;
class IPrompts;
class IReportPrinter;
class TFrame_Preview;
class TKelPigger;
class TUserSettings;

// "Print page": the printed notebook page in a preview, placed on its side of the sheet, with printing,
// printer setup, PDF export and the New template question. Its generator lives as long as the window.
class TFprintpage : public QDialog {
    Q_OBJECT
public:
    TFprintpage(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
        IDesktop& desktop, QWidget* parent = nullptr);

    // The printer's paper as oriented, in millimetres; A4 portrait without a printer.
    QSize PaperSize() const;
    // Runs the template on the page and places the report; false with ErrorMessage set when that failed.
    bool Generate(TKelPigger& page, TKelPigger& params, const QString& templatePath,
        const PageReport::TSheetPlacement& placement);
    // Generates the page and, when that succeeded, shows the window modally. False at once for a null
    // page or parameters, and when generation failed.
    bool RunPrintWindow(TKelPigger* page, TKelPigger* params, const QString& templatePath,
        const PageReport::TSheetPlacement& placement);
    const QString& ErrorMessage() const { return m_error; }

    TFrame_Preview* Frame() const { return m_frame; }
    QPushButton* SB_print = nullptr;
    QPushButton* SB_printer_setup = nullptr;
    QPushButton* SB_export_pdf = nullptr;
    QPushButton* TB_print_templates = nullptr;
    QPushButton* SB_close = nullptr;

private:
    QPushButton* Button(const char* name, const QString& caption, const QString& hint, void (TFprintpage::*slot)());
    void Guarded(void (TFprintpage::*step)());
    void PaperFromPrinter();
    void UpdateControls();
    void Print();
    void PrinterSetup();
    void ExportPdf();
    void NewTemplate();

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    IFileDialogs& m_files;
    IReportPrinter& m_printer;
    IDesktop& m_desktop;
    TRepGenPig m_generator;
    TFrame_Preview* m_frame;
    PageReport::TSheetPlacement m_placement;
    int m_bandWidth = PagePlacement::DefaultBandWidth;
    QString m_error;
    QString m_folder;
};

} // namespace quillo
