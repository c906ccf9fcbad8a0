#pragma once

#include "report/TKelReport.h"

#include <QFrame>

#include <functional>

class QPrinter;
class QScrollArea;

namespace quillo {

class TPreviewBox;

// A scrollable view of the current page (or of the spread holding it) of a report it owns. Every
// page setting goes through here to the report; inside BeginUpdate/EndUpdate the view refreshes once.
class TFrame_Preview : public QFrame {
    Q_OBJECT
public:
    explicit TFrame_Preview(QWidget* parent = nullptr);
    ~TFrame_Preview() override;

    TKelReport& Report() { return m_report; }
    QScrollArea* Scroll() const { return m_scroll; }
    QWidget* BoxView() const;

    void BeginUpdate();
    void EndUpdate();
    void LoadDocument(const QByteArray& text);
    // Shows page index, kept within -1 (none) and the last page.
    void SetPage(int index);
    int Page() const { return m_page; }
    int PageCount() const { return m_pageCount; }

    int DisplayZoom() const { return m_report.DisplayZoom(); }
    void SetDisplayZoom(int percent);
    int PrintZoom() const { return m_report.PrintZoom(); }
    void SetPrintZoom(int percent);
    void SetPaperFromPrinter(const QPagedPaintDevice& printer);
    TPageSettings::TOrientation Orientation() const { return m_report.PageOrientation(); }
    void SetOrientation(TPageSettings::TOrientation orientation);
    int PageSizeLo() const { return m_report.PageSizeLo(); }
    void SetPageSizeLo(int mm);
    int PageSizeHi() const { return m_report.PageSizeHi(); }
    void SetPageSizeHi(int mm);
    int LeftMargin() const { return m_report.LeftMargin(); }
    void SetLeftMargin(int mm);
    int RightMargin() const { return m_report.RightMargin(); }
    void SetRightMargin(int mm);
    int TopMargin() const { return m_report.TopMargin(); }
    void SetTopMargin(int mm);
    int BottomMargin() const { return m_report.BottomMargin(); }
    void SetBottomMargin(int mm);
    bool TwoSidePrinting() const { return m_report.TwoSidePrinting(); }
    void SetTwoSidePrinting(bool on);
    bool HorBreakMode() const { return m_report.HorBreakMode(); }
    void SetHorBreakMode(bool on);
    int IntersectSize() const { return m_report.IntersectSize(); }
    void SetIntersectSize(int mm);

    // Two pages side by side, even pages on the left and odd pages on the right, as in a bound book.
    bool FacingPages() const { return m_facing; }
    void SetFacingPages(bool on);
    // The pages shown: the left one (-1 when blank) and the right one (-1 when none).
    std::pair<int, int> Spread() const;

    // Fits the current page into the visible area.
    void FitPage();
    void PrintReport(QPrinter& printer, const TPrintOffsets& offsets);
    void ExportPdf(const QString& path, const TPrintOffsets& offsets);
    QByteArray ReportTitle() const { return m_report.Title(); }
    // Lays the report out for the screen when needed and shows the current page again.
    void RefreshView();

    TKelReport::THRefEvent OnHREF;

signals:
    // Ctrl and the mouse wheel: steps up (positive) or down.
    void WheelZoom(int steps);
    // The view was laid out and shown again (once per outermost EndUpdate).
    void ViewRefreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TPreviewBox;

    void Changed();
    template <typename T, typename Setter> void Apply(T current, T value, Setter set);
    // Where page index is drawn on the paint box.
    QPoint PageOrigin(int index) const;

    TKelReport m_report;
    int m_pageCount = 0;
    int m_page = -1;
    int m_updates = 0;
    bool m_facing = false;
    QScrollArea* m_scroll;
    TPreviewBox* m_box;
};

} // namespace quillo
