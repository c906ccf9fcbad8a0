#pragma once

#include <QByteArray>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QStackedWidget;

namespace quillo {

class IFileDialogs;
class IPrompts;
class IReportPrinter;
class ISheetSource;
class TForm_PageSetup;
class TFrame_Preview;
class TSheetView;
class TUserSettings;

// The preview window: one report with page navigation, zoom, printing, page setup, PDF export and
// report files. Created once; ShowDocument shows a report in it, ShowSheets the sheets of a two-sided print.
class TFormPreview : public QMainWindow {
    Q_OBJECT
public:
    TFormPreview(TUserSettings& settings, IPrompts& prompts, IFileDialogs& files, IReportPrinter& printer,
        TForm_PageSetup& pageSetup, QWidget* parent = nullptr);

    TFrame_Preview* Frame() const { return m_frame; }
    TSheetView* SheetView() const { return m_sheetView; }
    const QByteArray& DocumentText() const { return m_text; }

    // Shows the report text; a hidden window that is not the main one is shown modally and
    // forgets the report when closed.
    void ShowDocument(const QByteArray& text, bool openVisible);
    // Shows the sheets modally, each sheet's front beside its back, with navigation by sheet; Print and
    // Export PDF run the given steps. The report shown before is back once the window closes.
    void ShowSheets(ISheetSource& sheets, const QString& title, const std::function<void()>& print,
        const std::function<void()>& exportPdf);
    void UpdateControls();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddAction(const char* name, const QString& caption, const QString& hint, const QKeySequence& key,
        void (TFormPreview::*slot)());
    void Guarded(const std::function<void()>& step);
    // Shows the window modally until it is closed.
    void RunModal();
    bool ShowingSheets() const;
    int PageCount() const;
    void FirstPage();
    void PrevPage();
    void NextPage();
    void LastPage();
    void ZoomBy(int steps);
    void ZoomIn();
    void ZoomOut();
    void Zoom100();
    void ZoomFit();
    void Print();
    void PrinterSetup();
    void PageSetup();
    void Save();
    void Open();
    void ExportPdf();
    void ToggleFacing();
    // The page after the view (or before it) when stepping forward (or back).
    int StepTarget(bool forward) const;
    // Shows page index of the report, or sheet index of the sheets.
    void GoTo(int index);
    int DisplayZoom() const;
    void SetDisplayZoom(int percent);

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    IFileDialogs& m_files;
    IReportPrinter& m_printer;
    TForm_PageSetup& m_pageSetup;
    QString m_baseCaption;
    QByteArray m_text;
    QString m_folder;
    TFrame_Preview* m_frame;
    TSheetView* m_sheetView;
    std::function<void()> m_printSheets;
    std::function<void()> m_exportSheets;
    QString m_sheetsTitle;
    QStackedWidget* m_stack;
    QLabel* m_pages;
    QLabel* m_zoom;
    QAction* m_actFirstPage = nullptr;
    QAction* m_actPrevPage = nullptr;
    QAction* m_actNextPage = nullptr;
    QAction* m_actLastPage = nullptr;
    QAction* m_actZoomIn = nullptr;
    QAction* m_actZoomOut = nullptr;
    QAction* m_actZoom100 = nullptr;
    QAction* m_actZoomFit = nullptr;
    QAction* m_actPrint = nullptr;
    QAction* m_actPrinterSetup = nullptr;
    QAction* m_actPageSetup = nullptr;
    QAction* m_actSave = nullptr;
    QAction* m_actOpen = nullptr;
    QAction* m_actExportPdf = nullptr;
    QAction* m_actFacing = nullptr;
};

} // namespace quillo
