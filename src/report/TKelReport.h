#pragma once

#include "notebook/TPrintOffsets.h"
#include "report/TPageSettings.h"
#include "report/TReportPigger.h"

#include <QByteArray>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace quillo {

class TLabelPigger;
class TVisualElemPigger;

// The renderer: owns a report document with its page settings, lays it out for a device when
// needed, draws pages onto any painter, prints, and tracks hyperlink labels under the mouse.
class TKelReport {
public:
    using THRefEvent = std::function<void(TKelReport& sender, const QByteArray& href)>;

    TKelReport();
    ~TKelReport();

    TReportPigger& Document() { return *m_report; }

    // Page settings: each setter checks its value (an EKelError with the setting's message), stores
    // only a changed value and then marks the layout for recomputation.
    uint32_t BgColor() const { return Settings().bgColor; }
    void SetBgColor(uint32_t color);
    uint32_t FgColor() const { return Settings().fgColor; }
    void SetFgColor(uint32_t color);
    TPageSettings::TOrientation PageOrientation() const { return Settings().orientation; }
    void SetPageOrientation(TPageSettings::TOrientation orientation);
    int PrintZoom() const;
    void SetPrintZoom(int percent);
    int DisplayZoom() const;
    void SetDisplayZoom(int percent);
    int PageSizeLo() const { return Settings().pageSizeLo; }
    void SetPageSizeLo(int mm);
    int PageSizeHi() const { return Settings().pageSizeHi; }
    void SetPageSizeHi(int mm);
    int LeftMargin() const { return Settings().leftMargin; }
    void SetLeftMargin(int mm);
    int RightMargin() const { return Settings().rightMargin; }
    void SetRightMargin(int mm);
    int TopMargin() const { return Settings().topMargin; }
    void SetTopMargin(int mm);
    int BottomMargin() const { return Settings().bottomMargin; }
    void SetBottomMargin(int mm);
    bool TwoSidePrinting() const { return Settings().twoSide; }
    void SetTwoSidePrinting(bool on);
    bool HorBreakMode() const { return Settings().horBreak; }
    void SetHorBreakMode(bool on);
    int IntersectSize() const { return Settings().intersectSize; }
    void SetIntersectSize(int mm);
    int SubPageCount() const { return m_report->SubPageCount(); }

    bool LayoutInvalid() const { return m_layoutInvalid; }
    bool EnableHRefs = false;
    THRefEvent OnHREF;
    // Asked to repaint a rectangle of the last drawn page when hover changes a label.
    std::function<void(const QRect&)> OnInvalidate;

    // Replaces the document; a reading error propagates and leaves an empty report.
    void LoadFromString(const QByteArray& text);
    QByteArray Title() const { return m_report->Title(); }
    // The printer's paper: the shorter side becomes PageSizeLo, the longer PageSizeHi.
    void SetPageSizeFromPrinter(const QPagedPaintDevice& printer);

    int PageCount(QPaintDevice* device);
    // The page's pixel rectangle at the current zooms, top left at 0, 0.
    QRect PageRect(QPaintDevice* device, int index);
    // Draws page index with its top left at origin onto the painter's device, only the elements
    // that meet clip (all of them when clip is empty).
    void DrawPage(QPainter& painter, int index, const QRect& clip, const QPoint& origin);
    // How far the lowest element of page index reaches below the room its margins leave, in device pixels;
    // 0 when all of it fits. Such an element is placed when it cannot go to a page of its own.
    int ContentOverflow(QPaintDevice* device, int index);
    // Every sheet of page index onto an active painter of a printer, a new sheet between them.
    void PrintPage(QPainter& painter, QPagedPaintDevice& printer, int index);
    // The whole report as one job. abortJob is called when an error stops the job; the error then
    // propagates. Zoom, hyperlinks and the printer's orientation are restored on every path. Every sheet is
    // a front, moved by the front offsets.
    void Print(
        QPagedPaintDevice& printer, const std::function<void()>& abortJob = {}, const TPrintOffsets& offsets = {});
    // Sets DisplayZoom so that page index fits into view.
    void FitZoom(QPaintDevice* device, int index, const QRect& view);

    void MouseMoveAt(int x, int y);
    void MouseDownAt(int x, int y);
    const TLabelPigger* ActiveLabel() const { return m_activeLabel; }

private:
    struct THRef {
        TLabelPigger* label;
        QRect rect;
    };

    const TPageSettings& Settings() const { return m_report->Settings(); }
    template <typename T> void Store(T& field, T value);
    void Prepare(QPaintDevice* device);
    void CheckIndex(int index) const;
    QPoint SubPageOrigin(int index, int subPage) const;
    void Draw(QPainter& painter, TVisualElemPigger& element, const QPoint& origin);
    void DrawContent(QPainter& painter, TVisualElemPigger& element, const QRect& r);
    void DrawLabel(QPainter& painter, const TLabelPigger& label, const QRect& r);
    void DrawSubPageMarks(QPainter& painter, const QRect& r);
    static void DrawBorders(QPainter& painter, const TVisualElemPigger& element, const QRect& r);
    void MapHRefs(TVisualElemPigger& element, const QPoint& origin);
    TLabelPigger* HRefAt(int x, int y) const;
    void SetActive(TLabelPigger* label);

    std::unique_ptr<TReportPigger> m_report;
    bool m_layoutInvalid = true;
    QPaintDevice* m_layoutDevice = nullptr;
    int m_layoutDpi = 0;
    QRect m_clip;
    int m_drawingPage = -1;
    int m_mappedPage = -1;
    std::vector<THRef> m_hrefs;
    TLabelPigger* m_activeLabel = nullptr;
};

} // namespace quillo
