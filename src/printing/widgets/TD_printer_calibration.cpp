#include "printing/widgets/TD_printer_calibration.h"

#include "notebook/IPrompts.h"
#include "notebook/TUserSettings.h"
#include "printing/CalibrationSheet.h"
#include "report/widgets/IReportPrinter.h"
#include "tree/EKelError.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

namespace {

QSpinBox* OffsetBox(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-TPrintOffsets::Limit, TPrintOffsets::Limit);
    box->setSuffix(QStringLiteral(" tenths of a mm"));
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TD_printer_calibration::TD_printer_calibration(
    TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_files(files)
    , m_printer(printer)
{
    setObjectName(QStringLiteral("TD_printer_calibration"));
    setWindowTitle(QStringLiteral("Printer calibration"));
    L_printer = new QLabel(this);
    L_printer->setObjectName(QStringLiteral("L_printer"));
    L_printer->setWordWrap(true);
    SE_front_x = OffsetBox(this, "SE_front_x");
    SE_front_y = OffsetBox(this, "SE_front_y");
    SE_back_x = OffsetBox(this, "SE_back_x");
    SE_back_y = OffsetBox(this, "SE_back_y");
    SB_print_sheet = Button(this, "SB_print_sheet", QStringLiteral("Print calibration sheet"));
    SB_export_sheet = Button(this, "SB_export_sheet", QStringLiteral("Export calibration sheet as PDF"));
    Btn_ok = Button(this, "Btn_ok", QStringLiteral("Ok"));
    btn_cancel = Button(this, "btn_cancel", QStringLiteral("Cancel"));
    Btn_ok->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Front, to the right:"), SE_front_x);
    form->addRow(QStringLiteral("Front, down:"), SE_front_y);
    form->addRow(QStringLiteral("Back, to the right:"), SE_back_x);
    form->addRow(QStringLiteral("Back, down:"), SE_back_y);
    auto* sheet = new QHBoxLayout;
    sheet->addWidget(SB_print_sheet);
    sheet->addWidget(SB_export_sheet);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_ok);
    buttons->addWidget(btn_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(L_printer);
    layout->addLayout(sheet);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(SB_print_sheet, &QPushButton::clicked, this, [this] { Guarded(&TD_printer_calibration::PrintSheet); });
    connect(SB_export_sheet, &QPushButton::clicked, this, [this] { Guarded(&TD_printer_calibration::ExportSheet); });
    connect(Btn_ok, &QPushButton::clicked, this, [this] {
        m_settings.SetPrintOffsets(
            m_printerName, { SE_front_x->value(), SE_front_y->value(), SE_back_x->value(), SE_back_y->value() });
        accept();
    });
    connect(btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TD_printer_calibration::Calibrate(const QString& printerName, int paperWidth, int paperHeight)
{
    m_printerName = printerName;
    m_paperWidth = paperWidth;
    m_paperHeight = paperHeight;
    L_printer->setText(QStringLiteral("Printer: %1. Print the sheet on both sides, turning it over on its long edge, "
                                      "and measure where each cross lies; enter how far it lies right of and below "
                                      "where the sheet says it belongs (negative for left and up).")
                           .arg(printerName));
    const TPrintOffsets offsets = m_settings.PrintOffsets(printerName);
    SE_front_x->setValue(offsets.frontX);
    SE_front_y->setValue(offsets.frontY);
    SE_back_x->setValue(offsets.backX);
    SE_back_y->setValue(offsets.backY);
    SB_print_sheet->setEnabled(m_printer.Installed());
    return exec();
}

// The sheet is printed without offsets: it measures them.
void TD_printer_calibration::PrintSheet()
{
    QPrinter& printer = m_printer.Printer();
    printer.setDuplex(QPrinter::DuplexLongSide);
    CalibrationSheet::Print(printer, m_paperWidth, m_paperHeight, {});
}

void TD_printer_calibration::ExportSheet()
{
    const QString path = m_files.SaveFileName(QStringLiteral("Export calibration sheet"), QString(),
        QStringLiteral("PDF files (*.pdf);;All files (*)"), QStringLiteral("calibration"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Quillo-ZDK"));
        writer.setPageSize(
            QPageSize(QSizeF(std::min(m_paperWidth, m_paperHeight), std::max(m_paperWidth, m_paperHeight)),
                QPageSize::Millimeter));
        CalibrationSheet::Print(writer, m_paperWidth, m_paperHeight, {});
    }
    if (!file.commit())
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
}

void TD_printer_calibration::Guarded(void (TD_printer_calibration::*step)())
{
    try {
        (this->*step)();
    } catch (const EKelError& error) {
        m_prompts.ShowMessage(error.Message());
    }
}

} // namespace quillo
