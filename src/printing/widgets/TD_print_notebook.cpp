#include "printing/widgets/TD_print_notebook.h"

#include "notebook/IPrompts.h"
#include "notebook/ProgramPaths.h"
#include "notebook/TUserSettings.h"
#include "printing/TLeafPrint.h"
#include "printing/widgets/TD_printer_calibration.h"
#include "report/widgets/IReportPrinter.h"
#include "report/widgets/TFormPreview.h"
#include "report/widgets/TSheetView.h"
#include "reportgen/ETemplateError.h"
#include "reportgen/TRepGenPig.h"
#include "tree/EKelError.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

namespace {

QSpinBox* SpinBox(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    return box;
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TD_print_notebook::TD_print_notebook(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files,
    IReportPrinter& printer, TFormPreview& preview, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_files(files)
    , m_printer(printer)
    , m_preview(preview)
    , m_calibration(new TD_printer_calibration(settings, prompts, files, printer, this))
{
    setObjectName(QStringLiteral("TD_print_notebook"));
    setWindowTitle(QStringLiteral("Print notebook"));
    RB_all_pages = Named(new QRadioButton(QStringLiteral("All pages"), this), "RB_all_pages");
    RB_page_range = Named(new QRadioButton(QStringLiteral("Pages"), this), "RB_page_range");
    SE_from = SpinBox(this, "SE_from", 1, 1);
    SE_to = SpinBox(this, "SE_to", 1, 1);
    RB_one_up = Named(new QRadioButton(QStringLiteral("One leaf a sheet"), this), "RB_one_up");
    RB_two_up = Named(new QRadioButton(QStringLiteral("Two leaves a sheet"), this), "RB_two_up");
    L_two_up = Named(new QLabel(this), "L_two_up");
    L_two_up->setWordWrap(true);
    CB_landscape = Named(new QCheckBox(QStringLiteral("Landscape"), this), "CB_landscape");
    RB_duplex_printer = Named(new QRadioButton(QStringLiteral("Both sides on the printer"), this), "RB_duplex_printer");
    RB_duplex_hand = Named(new QRadioButton(QStringLiteral("Both sides by hand"), this), "RB_duplex_hand");
    CB_face_up = Named(new QCheckBox(QStringLiteral("The printer stacks printed sheets face up"), this), "CB_face_up");
    SE_printermargin_left = SpinBox(this, "SE_printermargin_left", -500, 500);
    SE_printermargin_right = SpinBox(this, "SE_printermargin_right", -500, 500);
    SE_printermargin_top = SpinBox(this, "SE_printermargin_top", -500, 500);
    SB_calibration = Named(new QPushButton(QStringLiteral("Printer calibration..."), this), "SB_calibration");
    SB_preview = Named(new QPushButton(QStringLiteral("Preview"), this), "SB_preview");
    SB_print = Named(new QPushButton(QStringLiteral("Print"), this), "SB_print");
    SB_export_pdf = Named(new QPushButton(QStringLiteral("Export PDF"), this), "SB_export_pdf");
    SB_close = Named(new QPushButton(QStringLiteral("Close"), this), "SB_close");

    auto* pages = new QGroupBox(QStringLiteral("Print:"), this);
    auto* range = new QHBoxLayout;
    range->addWidget(RB_page_range);
    range->addWidget(SE_from);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(SE_to);
    range->addStretch();
    auto* pagesLayout = new QVBoxLayout(pages);
    pagesLayout->addWidget(RB_all_pages);
    pagesLayout->addLayout(range);
    auto* sheet = new QGroupBox(QStringLiteral("Sheet:"), this);
    auto* sheetLayout = new QVBoxLayout(sheet);
    for (QWidget* widget : std::initializer_list<QWidget*> { RB_one_up, RB_two_up, L_two_up, CB_landscape })
        sheetLayout->addWidget(widget);
    auto* sides = new QGroupBox(QStringLiteral("Both sides:"), this);
    auto* sidesLayout = new QVBoxLayout(sides);
    for (QWidget* widget : std::initializer_list<QWidget*> { RB_duplex_printer, RB_duplex_hand, CB_face_up })
        sidesLayout->addWidget(widget);
    auto* margins = new QGroupBox(QStringLiteral("Printer margins:"), this);
    auto* marginsLayout = new QFormLayout(margins);
    marginsLayout->addRow(QStringLiteral("Left :"), SE_printermargin_left);
    marginsLayout->addRow(QStringLiteral("Right :"), SE_printermargin_right);
    marginsLayout->addRow(QStringLiteral("Top :"), SE_printermargin_top);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SB_preview);
    buttons->addWidget(SB_print);
    buttons->addWidget(SB_export_pdf);
    buttons->addWidget(SB_calibration);
    buttons->addStretch();
    buttons->addWidget(SB_close);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* box : std::initializer_list<QWidget*> { pages, sheet, sides, margins })
        layout->addWidget(box);
    layout->addLayout(buttons);
    // Radio buttons exclude each other within their box, so each group gets its choice once it is in its box.
    RB_all_pages->setChecked(true);
    RB_one_up->setChecked(true);
    RB_duplex_hand->setChecked(true);

    for (QRadioButton* button :
        { RB_all_pages, RB_page_range, RB_one_up, RB_two_up, RB_duplex_printer, RB_duplex_hand })
        connect(button, &QRadioButton::toggled, this, &TD_print_notebook::UpdateControls);
    connect(CB_landscape, &QCheckBox::toggled, this, &TD_print_notebook::UpdateControls);
    for (QSpinBox* box : { SE_printermargin_left, SE_printermargin_right })
        connect(box, &QSpinBox::valueChanged, this, &TD_print_notebook::UpdateControls);
    connect(SB_print, &QPushButton::clicked, this, [this] { Guarded(&TD_print_notebook::Print); });
    connect(SB_export_pdf, &QPushButton::clicked, this, [this] { Guarded(&TD_print_notebook::ExportPdf); });
    connect(SB_preview, &QPushButton::clicked, this, [this] { Guarded(&TD_print_notebook::Preview); });
    connect(SB_calibration, &QPushButton::clicked, this,
        [this] { m_calibration->Calibrate(PrinterName(), Paper().width(), Paper().height()); });
    connect(SB_close, &QPushButton::clicked, this, &QDialog::reject);
}

TD_print_notebook::~TD_print_notebook() = default;

void TD_print_notebook::SetNotebook(TKelPigger* notebook, const QString& templatePath)
{
    m_notebook = notebook;
    m_template = templatePath;
    int count = 0;
    if (const TKelPigger* list = notebook ? notebook->FindChild("PAGES") : nullptr)
        for (const TKelPigger* page = list->FindChild("PAGE"); page; page = list->FindNextChild(page))
            ++count;
    SE_from->setRange(1, std::max(1, count));
    SE_to->setRange(1, std::max(1, count));
    SE_from->setValue(1);
    SE_to->setValue(std::max(1, count));
    // The band width decides whether two leaves fit; a template that does not load says so on printing.
    m_bandWidth = PagePlacement::DefaultBandWidth;
    try {
        TRepGenPig generator;
        generator.LoadTemplate(ProgramPaths::Resolve(templatePath.trimmed()));
        m_bandWidth = PagePlacement::BandWidth(generator.Template());
    } catch (const EKelError&) {
    }
    SE_printermargin_left->setValue(m_settings.PrinterMargin(TUserSettings::Margin::Left));
    SE_printermargin_right->setValue(m_settings.PrinterMargin(TUserSettings::Margin::Right));
    SE_printermargin_top->setValue(m_settings.PrinterMargin(TUserSettings::Margin::Top));
    if (m_printer.Installed())
        CB_landscape->setChecked(m_printer.Printer().pageLayout().orientation() == QPageLayout::Landscape);
    UpdateControls();
}

QString TD_print_notebook::PrinterName() const { return OffsetsName(m_printer); }

QSize TD_print_notebook::Paper() const
{
    QSize paper(210, 297);
    if (m_printer.Installed()) {
        const QSizeF size = m_printer.Printer().pageLayout().pageSize().size(QPageSize::Millimeter);
        paper = QSize(qRound(std::min(size.width(), size.height())), qRound(std::max(size.width(), size.height())));
    }
    return CB_landscape->isChecked() ? paper.transposed() : paper;
}

void TD_print_notebook::UpdateControls()
{
    SE_from->setEnabled(RB_page_range->isChecked());
    SE_to->setEnabled(RB_page_range->isChecked());
    const QString fit = TLeafPrint::TwoUpFit(
        Paper().width(), m_bandWidth, SE_printermargin_left->value(), SE_printermargin_right->value());
    RB_two_up->setEnabled(fit.isEmpty());
    L_two_up->setText(fit);
    L_two_up->setVisible(!fit.isEmpty());
    if (!fit.isEmpty())
        RB_one_up->setChecked(true);
    RB_duplex_printer->setEnabled(m_printer.Installed());
    CB_face_up->setEnabled(RB_duplex_hand->isChecked());
    SB_print->setEnabled(m_printer.Installed() && m_notebook);
    SB_export_pdf->setEnabled(m_notebook);
    SB_preview->setEnabled(m_notebook);
}

std::unique_ptr<TLeafPrint> TD_print_notebook::Leaves(const TPrintOffsets& offsets)
{
    m_settings.SetPrinterMargin(TUserSettings::Margin::Left, SE_printermargin_left->value());
    m_settings.SetPrinterMargin(TUserSettings::Margin::Right, SE_printermargin_right->value());
    m_settings.SetPrinterMargin(TUserSettings::Margin::Top, SE_printermargin_top->value());
    TLeafPrint::TOptions options;
    if (RB_page_range->isChecked()) {
        options.firstPage = SE_from->value();
        options.lastPage = SE_to->value();
    }
    options.up = RB_two_up->isChecked() ? 2 : 1;
    options.paperWidth = Paper().width();
    options.paperHeight = Paper().height();
    options.leftMargin = SE_printermargin_left->value();
    options.rightMargin = SE_printermargin_right->value();
    options.topMargin = SE_printermargin_top->value();
    options.offsets = offsets;
    auto leaves = std::make_unique<TLeafPrint>(*m_notebook, options);
    leaves->Generate(m_template);
    return leaves;
}

void TD_print_notebook::Print()
{
    const std::unique_ptr<TLeafPrint> leaves = Leaves(m_settings.PrintOffsets(PrinterName()));
    QPrinter& printer = m_printer.Printer();
    const bool landscape = CB_landscape->isChecked();
    if (RB_duplex_printer->isChecked()) {
        // A landscape sheet turns on its short edge for the backs to stand upright behind their fronts.
        printer.setDuplex(landscape ? QPrinter::DuplexShortSide : QPrinter::DuplexLongSide);
        leaves->Print(printer, leaves->PrintOrder());
    } else {
        printer.setDuplex(QPrinter::DuplexNone);
        leaves->Print(printer, leaves->FrontsOrder());
        m_prompts.Msg(TLeafPrint::TurnStackMessage(landscape));
        leaves->Print(printer, leaves->BacksOrder(CB_face_up->isChecked()));
    }
    ShowWarnings(*leaves);
}

void TD_print_notebook::ExportPdf()
{
    const QString path = m_files.SaveFileName(QStringLiteral("Export PDF"), m_folder,
        QStringLiteral("PDF files (*.pdf);;All files (*)"), m_notebook->GetAttr(QStringLiteral("NAME")));
    if (path.isEmpty())
        return;
    const std::unique_ptr<TLeafPrint> leaves = Leaves(m_settings.PrintOffsets(QStringLiteral("PDF")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
    leaves->WritePdf(file);
    if (!file.commit())
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
    m_folder = QFileInfo(path).absolutePath();
    ShowWarnings(*leaves);
}

void TD_print_notebook::Preview()
{
    // The sheets as laid out: the printer's offsets only correct where a printer puts them.
    const std::unique_ptr<TLeafPrint> leaves = Leaves({});
    leaves->CheckFit(*m_preview.SheetView()->Box());
    ShowWarnings(*leaves);
    m_preview.ShowSheets(
        *leaves, m_notebook->GetAttr(QStringLiteral("NAME")), [this] { Guarded(&TD_print_notebook::Print); },
        [this] { Guarded(&TD_print_notebook::ExportPdf); });
}

void TD_print_notebook::ShowWarnings(const TLeafPrint& leaves)
{
    for (const QString& warning : leaves.Warnings())
        m_prompts.Msg(warning);
}

void TD_print_notebook::Guarded(void (TD_print_notebook::*step)())
{
    try {
        (this->*step)();
    } catch (const EKelError& error) {
        m_prompts.ShowMessage(WindowMessage(error));
    }
}

} // namespace quillo
