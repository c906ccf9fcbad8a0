#include "report/widgets/TFormPreview.h"

#include "notebook/IPrompts.h"
#include "notebook/TUserSettings.h"
#include "report/widgets/IReportPrinter.h"
#include "report/widgets/TForm_PageSetup.h"
#include "report/widgets/TFrame_Preview.h"
#include "report/widgets/TSheetView.h"
#include "tree/EKelError.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QStackedWidget>
#include <QToolBar>

namespace quillo {

namespace {

const QString ReportFilter = QStringLiteral("Report files (*.r);;All files (*)");

} // namespace

TFormPreview::TFormPreview(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
    TForm_PageSetup& pageSetup, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_files(files)
    , m_printer(printer)
    , m_pageSetup(pageSetup)
    , m_frame(new TFrame_Preview(this))
    , m_sheetView(new TSheetView(this))
    , m_stack(new QStackedWidget(this))
    , m_pages(new QLabel(this))
    , m_zoom(new QLabel(this))
{
    setObjectName(QStringLiteral("FormPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    m_baseCaption = windowTitle();
    auto* toolBar = addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    m_pages->setObjectName(QStringLiteral("lPages"));
    m_zoom->setObjectName(QStringLiteral("lZoom"));
    for (QLabel* label : { m_pages, m_zoom }) {
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(64);
    }

    m_actPrint = AddAction("actPrint", QStringLiteral("Print"), QStringLiteral("Prints the report"),
        QKeySequence(Qt::Key_F12), &TFormPreview::Print);
    m_actExportPdf = AddAction("actExportPdf", QStringLiteral("Export PDF"),
        QStringLiteral("Writes the pages to a PDF file as printing would"), QKeySequence(Qt::CTRL | Qt::Key_E),
        &TFormPreview::ExportPdf);
    toolBar->addAction(m_actPrint);
    toolBar->addAction(m_actExportPdf);
    toolBar->addSeparator();
    m_actPrinterSetup = AddAction("actPrinterSetup", QStringLiteral("Printer setup"),
        QStringLiteral("Displays printer setup dialog"), QKeySequence(), &TFormPreview::PrinterSetup);
    m_actPageSetup = AddAction("actPageSetup", QStringLiteral("Page setup"),
        QStringLiteral("Displays page setup dialog"), QKeySequence(), &TFormPreview::PageSetup);
    toolBar->addAction(m_actPrinterSetup);
    toolBar->addAction(m_actPageSetup);
    toolBar->addSeparator();
    m_actFirstPage = AddAction("actFirstPage", QStringLiteral("First page"), QStringLiteral("Go to the first page"),
        QKeySequence(Qt::Key_Home), &TFormPreview::FirstPage);
    m_actPrevPage = AddAction("actPrevPage", QStringLiteral("Prev page"), QStringLiteral("Go to the previous page"),
        QKeySequence(Qt::Key_PageUp), &TFormPreview::PrevPage);
    m_actNextPage = AddAction("actNextPage", QStringLiteral("Next page"), QStringLiteral("Go to the next page"),
        QKeySequence(Qt::Key_PageDown), &TFormPreview::NextPage);
    m_actLastPage = AddAction("actLastPage", QStringLiteral("Last page"), QStringLiteral("Go to the last page"),
        QKeySequence(Qt::Key_End), &TFormPreview::LastPage);
    toolBar->addAction(m_actFirstPage);
    toolBar->addAction(m_actPrevPage);
    toolBar->addWidget(m_pages);
    toolBar->addAction(m_actNextPage);
    toolBar->addAction(m_actLastPage);
    toolBar->addSeparator();
    m_actZoomIn = AddAction("actZoomIn", QStringLiteral("Zoom in"), QStringLiteral("Zoom in"),
        QKeySequence(Qt::Key_Insert), &TFormPreview::ZoomIn);
    m_actZoomOut = AddAction("actZoomOut", QStringLiteral("Zoom out"), QStringLiteral("Zoom out"),
        QKeySequence(Qt::Key_Delete), &TFormPreview::ZoomOut);
    m_actZoom100 = AddAction("actZoom100", QStringLiteral("Zoom 100%"), QStringLiteral("Zoom 100%"),
        QKeySequence(Qt::Key_Return), &TFormPreview::Zoom100);
    m_actZoomFit = AddAction("actZoomFit", QStringLiteral("Zoom to fit"), QStringLiteral("Zoom to fit"),
        QKeySequence(Qt::ALT | Qt::Key_Return), &TFormPreview::ZoomFit);
    m_actZoom100->setShortcuts({ QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) });
    m_actZoomFit->setShortcuts({ QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter) });
    m_actFacing
        = AddAction("actFacingPages", QStringLiteral("Facing pages"), QStringLiteral("Shows two pages side by side"),
            QKeySequence(Qt::CTRL | Qt::Key_2), &TFormPreview::ToggleFacing);
    m_actFacing->setCheckable(true);
    toolBar->addAction(m_actZoomIn);
    toolBar->addAction(m_actZoomOut);
    toolBar->addAction(m_actZoom100);
    toolBar->addAction(m_actZoomFit);
    toolBar->addWidget(m_zoom);
    toolBar->addAction(m_actFacing);
    toolBar->addSeparator();
    m_actOpen = AddAction("actOpen", QStringLiteral("Open"), QStringLiteral("Open a report"),
        QKeySequence(Qt::CTRL | Qt::Key_O), &TFormPreview::Open);
    m_actSave = AddAction("actSave", QStringLiteral("Save"), QStringLiteral("Save a report"),
        QKeySequence(Qt::CTRL | Qt::Key_S), &TFormPreview::Save);
    toolBar->addAction(m_actOpen);
    // The save button stays off the tool bar; its action and shortcut work.
    addAction(m_actSave);
    for (QAction* action : actions())
        action->setShortcutContext(Qt::WindowShortcut);

    m_frame->setFrameShape(QFrame::Panel);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_stack->addWidget(m_frame);
    m_stack->addWidget(m_sheetView);
    setCentralWidget(m_stack);
    connect(m_frame, &TFrame_Preview::WheelZoom, this, [this](int steps) { Guarded([&] { ZoomBy(steps); }); });
    connect(m_sheetView, &TSheetView::WheelZoom, this, [this](int steps) { Guarded([&] { ZoomBy(steps); }); });
    connect(m_sheetView, &TSheetView::ViewChanged, this, &TFormPreview::UpdateControls);

    m_frame->BeginUpdate();
    if (m_printer.Installed()) {
        m_frame->SetPaperFromPrinter(m_printer.Printer());
        m_frame->SetOrientation(m_printer.Printer().pageLayout().orientation() == QPageLayout::Landscape
                ? TPageSettings::Landscape
                : TPageSettings::Portrait);
    } else {
        m_frame->SetPageSizeLo(210);
        m_frame->SetPageSizeHi(297);
        m_frame->SetOrientation(TPageSettings::Portrait);
    }
    m_frame->SetLeftMargin(10);
    m_frame->SetRightMargin(10);
    m_frame->SetTopMargin(10);
    m_frame->SetBottomMargin(10);
    m_frame->EndUpdate();
    setWindowState(Qt::WindowMaximized);
    UpdateControls();
}

QAction* TFormPreview::AddAction(const char* name, const QString& caption, const QString& hint, const QKeySequence& key,
    void (TFormPreview::*slot)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setShortcut(key);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, slot] { Guarded([&] { (this->*slot)(); }); });
    return action;
}

void TFormPreview::Guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const EKelError& error) {
        m_prompts.ShowMessage(error.Message());
    }
    UpdateControls();
}

void TFormPreview::ShowDocument(const QByteArray& text, bool openVisible)
{
    m_actOpen->setVisible(openVisible);
    m_text = text;
    try {
        m_frame->LoadDocument(text);
    } catch (const EKelError& error) {
        m_text.clear();
        m_frame->LoadDocument(QByteArray());
        m_prompts.ShowMessage(error.Message());
    }
    m_frame->SetPage(0);
    UpdateControls();
    if (isVisible())
        return;
    RunModal();
    m_text.clear();
    m_frame->LoadDocument(QByteArray());
    UpdateControls();
}

void TFormPreview::ShowSheets(ISheetSource& sheets, const QString& title, const std::function<void()>& print,
    const std::function<void()>& exportPdf)
{
    m_printSheets = print;
    m_exportSheets = exportPdf;
    m_sheetsTitle = title;
    // Commands for a report's own pages and files have no meaning for sheets.
    const bool openVisible = m_actOpen->isVisible();
    const QList<QAction*> reportOnly { m_actPrinterSetup, m_actPageSetup, m_actOpen, m_actSave, m_actFacing };
    for (QAction* action : reportOnly)
        action->setVisible(false);
    m_stack->setCurrentWidget(m_sheetView);
    m_sheetView->SetSource(&sheets);
    m_sheetView->setFocus();
    UpdateControls();
    RunModal();
    m_sheetView->SetSource(nullptr);
    m_stack->setCurrentWidget(m_frame);
    for (QAction* action : reportOnly)
        action->setVisible(action != m_actOpen || openVisible);
    m_printSheets = {};
    m_exportSheets = {};
    UpdateControls();
}

void TFormPreview::RunModal()
{
    QEventLoop loop;
    const auto closed = connect(this, &TFormPreview::Closed, &loop, &QEventLoop::quit);
    setWindowModality(Qt::ApplicationModal);
    show();
    // Opened from a modal dialog, the window has to come up over it.
    raise();
    activateWindow();
    loop.exec();
    disconnect(closed);
    setWindowModality(Qt::NonModal);
}

bool TFormPreview::ShowingSheets() const { return m_sheetView->Source() != nullptr; }

int TFormPreview::PageCount() const { return ShowingSheets() ? m_sheetView->SheetCount() : m_frame->PageCount(); }

int TFormPreview::DisplayZoom() const { return ShowingSheets() ? m_sheetView->DisplayZoom() : m_frame->DisplayZoom(); }

void TFormPreview::SetDisplayZoom(int percent)
{
    if (ShowingSheets())
        m_sheetView->SetDisplayZoom(percent);
    else
        m_frame->SetDisplayZoom(percent);
}

void TFormPreview::GoTo(int index)
{
    if (ShowingSheets())
        m_sheetView->SetSheet(index);
    else
        m_frame->SetPage(index);
}

void TFormPreview::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    emit Closed();
}

void TFormPreview::UpdateControls()
{
    const bool sheets = ShowingSheets();
    const QString title = sheets ? m_sheetsTitle : QString::fromUtf8(m_frame->ReportTitle());
    setWindowTitle(title.isEmpty() ? m_baseCaption : title + QStringLiteral(" - ") + m_baseCaption);
    const int count = PageCount();
    const int page = sheets ? m_sheetView->Sheet() : m_frame->Page();
    const int zoom = DisplayZoom();
    const bool pages = count > 0;
    m_actFirstPage->setEnabled(pages && StepTarget(false) >= 0);
    m_actPrevPage->setEnabled(pages && StepTarget(false) >= 0);
    m_actNextPage->setEnabled(pages && StepTarget(true) < count);
    m_actLastPage->setEnabled(pages && StepTarget(true) < count);
    m_actZoomIn->setEnabled(pages && zoom < 400);
    m_actZoomOut->setEnabled(pages && zoom > 10);
    m_actZoom100->setEnabled(pages && zoom != 100);
    m_actZoomFit->setEnabled(pages);
    m_actPrint->setEnabled(pages && m_printer.Installed() && (!sheets || m_printSheets));
    m_actPrinterSetup->setEnabled(m_printer.Installed());
    m_actPageSetup->setEnabled(pages);
    m_actSave->setEnabled(pages);
    m_actExportPdf->setEnabled(pages && (!sheets || m_exportSheets));
    m_actFacing->setEnabled(pages);
    const QString position = QStringLiteral("%1/%2").arg(page + 1).arg(count);
    m_pages->setText(!pages ? QString() : sheets ? QStringLiteral("Sheet ") + position : position);
    m_zoom->setText(pages ? QStringLiteral("%1%").arg(zoom) : QString());
}

int TFormPreview::StepTarget(bool forward) const
{
    if (ShowingSheets())
        return m_sheetView->Sheet() + (forward ? 1 : -1);
    const auto [left, right] = m_frame->Spread();
    if (forward)
        return std::max(left, right) + 1;
    return (left >= 0 ? left : right) - 1;
}

void TFormPreview::FirstPage() { GoTo(0); }
void TFormPreview::PrevPage() { GoTo(std::max(0, StepTarget(false))); }
void TFormPreview::NextPage() { GoTo(StepTarget(true)); }
void TFormPreview::LastPage() { GoTo(PageCount() - 1); }

void TFormPreview::ZoomBy(int steps)
{
    if (PageCount() == 0)
        return;
    int zoom = DisplayZoom() + 10 * steps;
    // Steps of ten from either end land on the end itself.
    if (zoom > 390)
        zoom = 400;
    if (zoom < 20)
        zoom = 10;
    SetDisplayZoom(zoom);
}

void TFormPreview::ZoomIn() { ZoomBy(1); }
void TFormPreview::ZoomOut() { ZoomBy(-1); }
void TFormPreview::Zoom100() { SetDisplayZoom(100); }

void TFormPreview::ZoomFit()
{
    if (ShowingSheets())
        m_sheetView->FitSheet();
    else
        m_frame->FitPage();
}

void TFormPreview::Print()
{
    if (ShowingSheets())
        m_printSheets();
    else if (m_prompts.Sure(QStringLiteral("Print the report?")))
        m_frame->PrintReport(m_printer.Printer(), m_settings.PrintOffsets(OffsetsName(m_printer)));
}

void TFormPreview::PrinterSetup()
{
    if (!m_printer.Setup(this))
        return;
    m_frame->BeginUpdate();
    m_frame->SetPaperFromPrinter(m_printer.Printer());
    m_frame->SetOrientation(m_printer.Printer().pageLayout().orientation() == QPageLayout::Landscape
            ? TPageSettings::Landscape
            : TPageSettings::Portrait);
    m_frame->EndUpdate();
}

void TFormPreview::PageSetup() { m_pageSetup.Execute(*m_frame); }

void TFormPreview::Save()
{
    const QString proposed = QString::fromUtf8(m_frame->ReportTitle());
    const QString path = m_files.SaveFileName(QStringLiteral("Save a report"), m_folder, ReportFilter, proposed);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.exists() && !(file.permissions() & QFileDevice::WriteOwner))
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(m_text) != m_text.size()
        || !file.flush()) {
        m_prompts.ShowMessage(QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()));
        return;
    }
    m_folder = QFileInfo(path).absolutePath();
}

void TFormPreview::Open()
{
    const QString path = m_files.OpenFileName(QStringLiteral("Open a report"), m_folder, ReportFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompts.ShowMessage(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
        return;
    }
    m_folder = QFileInfo(path).absolutePath();
    ShowDocument(file.readAll(), true);
}

void TFormPreview::ExportPdf()
{
    if (ShowingSheets()) {
        m_exportSheets();
        return;
    }
    const QString proposed = QString::fromUtf8(m_frame->ReportTitle());
    const QString path = m_files.SaveFileName(
        QStringLiteral("Export PDF"), m_folder, QStringLiteral("PDF files (*.pdf);;All files (*)"), proposed);
    if (path.isEmpty())
        return;
    m_frame->ExportPdf(path, m_settings.PrintOffsets(QStringLiteral("PDF")));
}

void TFormPreview::ToggleFacing() { m_frame->SetFacingPages(m_actFacing->isChecked()); }

} // namespace quillo
