#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace quillo {

class IFileDialogs;
class IPrompts;
class IReportPrinter;
class TUserSettings;

// "Printer calibration": prints the calibration sheet (or writes it to PDF without a printer) and takes the
// offsets the user measured, in tenths of a millimetre, kept in the settings under the printer's name.
class TD_printer_calibration : public QDialog {
    Q_OBJECT

public:
    TD_printer_calibration(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
        QWidget* parent = nullptr);

    // Fills the offsets of printerName from the settings and shows the dialog modally; OK stores them.
    int Calibrate(const QString& printerName, int paperWidth, int paperHeight);

    QLabel* L_printer;
    QSpinBox* SE_front_x;
    QSpinBox* SE_front_y;
    QSpinBox* SE_back_x;
    QSpinBox* SE_back_y;
    QPushButton* SB_print_sheet;
    QPushButton* SB_export_sheet;
    QPushButton* Btn_ok;
    QPushButton* btn_cancel;

private:
    void PrintSheet();
    void ExportSheet();

    void Guarded(void (TD_printer_calibration::*step)());

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    IFileDialogs& m_files;
    IReportPrinter& m_printer;
    QString m_printerName;
    int m_paperWidth = 210;
    int m_paperHeight = 297;
};

} // namespace quillo
