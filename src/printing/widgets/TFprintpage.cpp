#include "printing/widgets/TFprintpage.h"

#include "notebook/IPrompts.h"
#include "notebook/TUserSettings.h"
#include "printing/NewTemplateQuestion.h"
#include "report/widgets/IReportPrinter.h"
#include "report/widgets/TFrame_Preview.h"
#include "reportgen/ETemplateError.h"
#include "tree/EKelError.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

TFprintpage::TFprintpage(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
    IDesktop& desktop, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_files(files)
    , m_printer(printer)
    , m_desktop(desktop)
    , m_frame(new TFrame_Preview(this))
{
    setObjectName(QStringLiteral("TFprintpage"));
    setWindowTitle(QStringLiteral("Print page"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    SB_print = Button("SB_print", QStringLiteral("Print"), QStringLiteral("Prints the page"), &TFprintpage::Print);
    SB_printer_setup = Button("SB_printer_setup", QStringLiteral("Printer setup"),
        QStringLiteral("Displays printer setup dialog"), &TFprintpage::PrinterSetup);
    SB_export_pdf = Button("SB_export_pdf", QStringLiteral("Export PDF"),
        QStringLiteral("Writes the page to a PDF file as printing would"), &TFprintpage::ExportPdf);
    TB_print_templates = Button("TB_print_templates", QStringLiteral("New template"),
        QStringLiteral("How to make a print template of your own"), &TFprintpage::NewTemplate);
    SB_close = Button("SB_close", QStringLiteral("Close"), QStringLiteral("Closes the window"), nullptr);
    connect(SB_close, &QPushButton::clicked, this, &QDialog::accept);
    SB_print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    SB_export_pdf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : { SB_print, SB_printer_setup, SB_export_pdf, TB_print_templates })
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(SB_close);
    m_frame->setFrameShape(QFrame::Panel);
    m_frame->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_frame, 1);
    resize(900, 700);
    UpdateControls();
}

QPushButton* TFprintpage::Button(
    const char* name, const QString& caption, const QString& hint, void (TFprintpage::*slot)())
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    if (slot)
        connect(button, &QPushButton::clicked, this, [this, slot] { Guarded(slot); });
    return button;
}

void TFprintpage::Guarded(void (TFprintpage::*step)())
{
    try {
        (this->*step)();
    } catch (const EKelError& error) {
        m_prompts.ShowMessage(WindowMessage(error));
    }
    UpdateControls();
}

QSize TFprintpage::PaperSize() const
{
    if (!m_printer.Installed())
        return QSize(210, 297);
    const QSizeF size = m_printer.Printer().pageLayout().fullRect(QPageLayout::Millimeter).size();
    return QSize(int(std::lround(size.width())), int(std::lround(size.height())));
}

void TFprintpage::PaperFromPrinter()
{
    if (!m_printer.Installed()) {
        m_frame->SetPageSizeLo(210);
        m_frame->SetPageSizeHi(297);
        m_frame->SetOrientation(TPageSettings::Portrait);
        return;
    }
    m_frame->SetPaperFromPrinter(m_printer.Printer());
    m_frame->SetOrientation(m_printer.Printer().pageLayout().orientation() == QPageLayout::Landscape
            ? TPageSettings::Landscape
            : TPageSettings::Portrait);
}

bool TFprintpage::Generate(
    TKelPigger& page, TKelPigger& params, const QString& templatePath, const PageReport::TSheetPlacement& placement)
{
    m_error.clear();
    m_frame->BeginUpdate();
    try {
        m_frame->LoadDocument(QByteArray());
        const PageReport::TGenerated generated = PageReport::Generate(m_generator, templatePath, page, params);
        m_placement = placement;
        m_bandWidth = generated.bandWidth;
        PaperFromPrinter();
        PageReport::Place(m_frame->Report(), m_placement, m_bandWidth);
        m_frame->LoadDocument(generated.text);
    } catch (const EKelError& error) {
        m_error = WindowMessage(error);
        m_frame->LoadDocument(QByteArray());
    }
    m_frame->EndUpdate();
    m_frame->SetPage(0);
    UpdateControls();
    return m_error.isEmpty();
}

bool TFprintpage::RunPrintWindow(
    TKelPigger* page, TKelPigger* params, const QString& templatePath, const PageReport::TSheetPlacement& placement)
{
    if (!page || !params || !Generate(*page, *params, templatePath, placement))
        return false;
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
    return true;
}

void TFprintpage::UpdateControls()
{
    const QByteArray title = m_frame->ReportTitle();
    setWindowTitle(
        title.isEmpty() ? QStringLiteral("Print page") : QString::fromUtf8(title) + QStringLiteral(" - Print page"));
    const bool pages = m_frame->PageCount() > 0;
    SB_print->setEnabled(pages && m_printer.Installed());
    SB_printer_setup->setEnabled(m_printer.Installed());
    SB_export_pdf->setEnabled(pages);
}

// A single page goes onto the front of a sheet.
void TFprintpage::Print()
{
    m_frame->PrintReport(m_printer.Printer(), m_settings.PrintOffsets(OffsetsName(m_printer)));
}

void TFprintpage::PrinterSetup()
{
    if (!m_printer.Setup(this))
        return;
    // The side rule measures from the paper's right edge, so the page moves with a new paper or orientation.
    m_frame->BeginUpdate();
    PaperFromPrinter();
    PageReport::Place(m_frame->Report(), m_placement, m_bandWidth);
    m_frame->EndUpdate();
}

void TFprintpage::ExportPdf()
{
    const QString path = m_files.SaveFileName(QStringLiteral("Export PDF"), m_folder,
        QStringLiteral("PDF files (*.pdf);;All files (*)"), QString::fromUtf8(m_frame->ReportTitle()));
    if (path.isEmpty())
        return;
    m_frame->ExportPdf(path, m_settings.PrintOffsets(QStringLiteral("PDF")));
    m_folder = QFileInfo(path).absolutePath();
}

void TFprintpage::NewTemplate()
{
    if (!m_prompts.Sure(NewTemplateQuestion::Text(true)))
        return;
    const QUrl reference = NewTemplateQuestion::ReferenceUrl();
    if (!m_desktop.Open(reference.toString()))
        m_prompts.Msg(QStringLiteral("The template reference could not be shown: no program to open it was found.\n"
                                     "Open this file in a web browser:\n%1")
                          .arg(reference.toLocalFile()));
}

} // namespace quillo
