#pragma once

#include "notebook/TPrintOffsets.h"
#include "printing/PageReport.h"
#include "report/ISheetSource.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace quillo {

class TKelPigger;
class TKelReport;

// A notebook's pages printed as organiser leaves: the first, third, ... page of the notebook is the front of
// a leaf (a right-hand page), the next page its back (a left-hand page). A leaf lies on a sheet at the side
// rule's offsets, one leaf a sheet or two; the back side is laid out for a turn of the sheet so that each
// back lies behind its front.
class TLeafPrint : public ISheetSource {
public:
    struct TOptions {
        // 1-based positions in PAGES; 0 as last means the last page.
        int firstPage = 1;
        int lastPage = 0;
        int up = 1;
        // The sheet as printed: wider than high is landscape.
        int paperWidth = 210;
        int paperHeight = 297;
        int leftMargin = 20;
        int rightMargin = 20;
        int topMargin = 20;
        TPrintOffsets offsets;
    };

    // One place on a side of a sheet: the page printed there (null for an empty back or front) and the
    // report's left offset in millimetres.
    struct TPlace {
        const TKelPigger* page = nullptr;
        int left = 0;
    };

    // Checks the range and pairs the pages into leaves; raises an EKelError with the message for the user
    // when the range lies outside the notebook or holds no page.
    TLeafPrint(TKelPigger& notebook, const TOptions& options);
    ~TLeafPrint() override;

    // Runs the template on every page of the range, as printing one page does. Errors propagate.
    void Generate(const QString& templatePath);

    int LeafCount() const { return int(m_leaves.size()); }
    int SheetCount() const override { return (LeafCount() + m_options.up - 1) / m_options.up; }
    QSize PaperSize() const override { return QSize(m_options.paperWidth, m_options.paperHeight); }
    // Sides in the order front, back, front, back...
    int SideCount() const { return 2 * SheetCount(); }
    int BandWidth() const { return m_bandWidth; }
    const TOptions& Options() const { return m_options; }
    // What the user should know about the printed result (page content that does not fit its page).
    const QStringList& Warnings() const { return m_warnings; }

    QList<TPlace> Places(int side) const;

    // Lays every page out for the device and notes in Warnings what does not fit its sheet; printing notes it too.
    void CheckFit(QPaintDevice& device);

    // Draws one side onto a painter whose device is the sheet, with the side's printer offsets.
    void DrawSide(QPainter& painter, int side) override;
    // Prints the sides in that order onto the device as one job, each on a sheet of the paper.
    void Print(QPagedPaintDevice& device, const QList<int>& sides);
    // The sides front, back, front, back... as a PDF of the paper's size.
    void WritePdf(QIODevice& device);

    // Sides in PDF order: 0, 1, 2, ...
    QList<int> PrintOrder() const;
    // Two-sided by hand: all fronts in sheet order, then all backs so that each meets its front once the
    // stack is turned over. A printer that stacks face up leaves the last sheet on top, so its back comes
    // first.
    QList<int> FrontsOrder() const;
    QList<int> BacksOrder(bool faceUpStacking) const;

    // Empty when two leaves fit side by side within the printer margins, else why not, naming the widths.
    static QString TwoUpFit(int paperWidth, int bandWidth, int leftMargin, int rightMargin);
    // The message asking the user to turn the printed fronts over for the backs.
    static QString TurnStackMessage(bool landscape);

private:
    struct TLeaf {
        TKelPigger* front = nullptr;
        TKelPigger* back = nullptr;
    };

    TKelReport* ReportOf(const TKelPigger* page) const;
    // Notes page content that the sheet cannot hold: a report of more than one page, or content below its foot.
    void Warn(TKelReport& report, const TKelPigger& page, QPaintDevice* device);
    int PlaceLeft(bool leftPlace) const;

    TKelPigger& m_notebook;
    TOptions m_options;
    std::vector<TLeaf> m_leaves;
    int m_bandWidth = PagePlacement::DefaultBandWidth;
    std::vector<std::pair<const TKelPigger*, std::unique_ptr<TKelReport>>> m_reports;
    QStringList m_warnings;
};

} // namespace quillo
