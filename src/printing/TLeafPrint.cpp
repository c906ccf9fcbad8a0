#include "printing/TLeafPrint.h"

#include "printing/TPassedParams.h"
#include "report/TKelReport.h"
#include "reportgen/TRepGenPig.h"
#include "tree/EKelError.h"
#include "tree/TKelPigger.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace quillo {

namespace {

constexpr double MmPerInch = 25.4;

} // namespace

TLeafPrint::TLeafPrint(TKelPigger& notebook, const TOptions& options)
    : m_notebook(notebook)
    , m_options(options)
{
    if (m_options.up != 1 && m_options.up != 2)
        throw EKelError(QStringLiteral("One or two leaves a sheet, not %1").arg(m_options.up));
    if (m_options.paperWidth <= 0 || m_options.paperHeight <= 0)
        throw EKelError(QStringLiteral("The paper has no size"));
    std::vector<TKelPigger*> pages;
    if (const TKelPigger* list = notebook.FindChild("PAGES"))
        for (TKelPigger* page = list->FindChild("PAGE"); page; page = list->FindNextChild(page))
            pages.push_back(page);
    const int count = int(pages.size());
    if (count == 0)
        throw EKelError(QStringLiteral("The notebook has no pages to print"));
    const int last = m_options.lastPage == 0 ? count : m_options.lastPage;
    if (m_options.firstPage < 1 || last > count || m_options.firstPage > last)
        throw EKelError(QStringLiteral("Pages %1-%2 lie outside the notebook's %3 pages")
                            .arg(m_options.firstPage)
                            .arg(last)
                            .arg(count));
    m_options.lastPage = last;
    // A page keeps its side whatever the range: a range that starts on a left-hand page gives a leaf with an
    // empty front, so that the page still lands on the back of its leaf.
    for (int position = m_options.firstPage - 1; position < last; ++position) {
        if (position % 2 == 0 || m_leaves.empty())
            m_leaves.push_back({});
        (position % 2 == 0 ? m_leaves.back().front : m_leaves.back().back) = pages[size_t(position)];
    }
}

TLeafPrint::~TLeafPrint() = default;

int TLeafPrint::PlaceLeft(bool leftPlace) const
{
    const TOptions& o = m_options;
    return PagePlacement::LeftOffset(
        leftPlace ? PagePlacement::Right : PagePlacement::Left, o.paperWidth, m_bandWidth, o.leftMargin, o.rightMargin);
}

void TLeafPrint::Generate(const QString& templatePath)
{
    if (!PagePlacement::IsNotebookPageTemplate(templatePath))
        throw EKelError(
            QStringLiteral("Leaves print with a notebook page template (*.zdkt), not %1").arg(templatePath.trimmed()));
    m_reports.clear();
    m_warnings.clear();
    TRepGenPig generator;
    TPassedParams params;
    const bool landscape = m_options.paperWidth > m_options.paperHeight;
    for (int i = 0; i < LeafCount(); ++i) {
        const TLeaf& leaf = m_leaves[size_t(i)];
        for (TKelPigger* page : { leaf.front, leaf.back }) {
            if (!page)
                continue;
            params.Clear();
            const QString side = page == leaf.front ? PagePlacement::Right : PagePlacement::Left;
            params.SetPageParams(side, &m_notebook);
            const PageReport::TGenerated generated
                = PageReport::Generate(generator, templatePath, *page, params.Node());
            m_bandWidth = generated.bandWidth;
            if (m_options.up == 2) {
                const QString fit
                    = TwoUpFit(m_options.paperWidth, m_bandWidth, m_options.leftMargin, m_options.rightMargin);
                if (!fit.isEmpty())
                    throw EKelError(fit);
            }
            auto report = std::make_unique<TKelReport>();
            report->SetPageSizeLo(std::min(m_options.paperWidth, m_options.paperHeight));
            report->SetPageSizeHi(std::max(m_options.paperWidth, m_options.paperHeight));
            report->SetPageOrientation(landscape ? TPageSettings::Landscape : TPageSettings::Portrait);
            report->SetTopMargin(std::max(0, m_options.topMargin));
            report->SetRightMargin(0);
            report->SetBottomMargin(0);
            const bool onBack = page == leaf.back;
            const bool secondOnSheet = i % m_options.up == 1;
            report->SetLeftMargin(PlaceLeft(onBack == secondOnSheet));
            report->LoadFromString(generated.text);
            m_reports.emplace_back(page, std::move(report));
        }
    }
}

TKelReport* TLeafPrint::ReportOf(const TKelPigger* page) const
{
    for (const auto& [owner, report] : m_reports)
        if (owner == page)
            return report.get();
    return nullptr;
}

QList<TLeafPrint::TPlace> TLeafPrint::Places(int side) const
{
    QList<TPlace> places;
    const bool back = side % 2 == 1;
    const int sheet = side / 2;
    for (int p = 0; p < m_options.up; ++p) {
        const int leaf = sheet * m_options.up + p;
        if (leaf >= LeafCount())
            break;
        const TLeaf& l = m_leaves[size_t(leaf)];
        places.append({ back ? l.back : l.front, PlaceLeft(back == (p == 1)) });
    }
    return places;
}

void TLeafPrint::Warn(TKelReport& report, const TKelPigger& page, QPaintDevice* device)
{
    const QString name = page.GetAttr(QStringLiteral("NAME"));
    const int pages = report.PageCount(device);
    const int overflow = qRound(report.ContentOverflow(device, 0) * MmPerInch / device->logicalDpiY());
    QString warning;
    if (pages > 1)
        warning = QStringLiteral("Page %1 runs to %2 pages; only the first is printed.").arg(name).arg(pages);
    else if (overflow > 0)
        warning = QStringLiteral("Page %1 runs %2 mm past the foot of the sheet; that part is not printed.")
                      .arg(name)
                      .arg(overflow);
    if (!warning.isEmpty() && !m_warnings.contains(warning))
        m_warnings.append(warning);
}

void TLeafPrint::CheckFit(QPaintDevice& device)
{
    for (const auto& [page, report] : m_reports)
        Warn(*report, *page, &device);
}

void TLeafPrint::DrawSide(QPainter& painter, int side)
{
    const QPaintDevice* device = painter.device();
    const double pxX = device->logicalDpiX() / MmPerInch;
    const double pxY = device->logicalDpiY() / MmPerInch;
    const bool back = side % 2 == 1;
    for (const TPlace& place : Places(side)) {
        TKelReport* report = ReportOf(place.page);
        if (!report)
            continue;
        Warn(*report, *place.page, painter.device());
        painter.save();
        ShiftBySide(painter, m_options.offsets, back);
        // Each page is drawn on the whole sheet; with two leaves a sheet, each keeps to its half of the room
        // between them, so that its background does not cover the other leaf.
        if (m_options.up == 2) {
            const double middle = (PlaceLeft(true) + m_bandWidth + PlaceLeft(false)) / 2.0;
            const bool leftHalf = place.left == PlaceLeft(true);
            painter.setClipRect(QRectF(leftHalf ? 0 : middle * pxX, 0,
                (leftHalf ? middle : m_options.paperWidth - middle) * pxX, m_options.paperHeight * pxY));
        }
        report->DrawPage(painter, 0, QRect(), QPoint(0, 0));
        painter.restore();
    }
}

void TLeafPrint::Print(QPagedPaintDevice& device, const QList<int>& sides)
{
    device.setPageOrientation(
        m_options.paperWidth > m_options.paperHeight ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        throw EKelError("Printing failed");
    for (qsizetype i = 0; i < sides.size(); ++i) {
        if (i > 0 && !device.newPage())
            throw EKelError("Printing failed");
        DrawSide(painter, sides[i]);
    }
    if (!painter.end())
        throw EKelError("Printing failed");
}

void TLeafPrint::WritePdf(QIODevice& device)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Quillo-ZDK"));
    writer.setTitle(m_notebook.GetAttr(QStringLiteral("NAME")));
    const int lo = std::min(m_options.paperWidth, m_options.paperHeight);
    const int hi = std::max(m_options.paperWidth, m_options.paperHeight);
    writer.setPageSize(QPageSize(QSizeF(lo, hi), QPageSize::Millimeter));
    Print(writer, PrintOrder());
}

QList<int> TLeafPrint::PrintOrder() const
{
    QList<int> order;
    for (int side = 0; side < SideCount(); ++side)
        order.append(side);
    return order;
}

QList<int> TLeafPrint::FrontsOrder() const
{
    QList<int> order;
    for (int sheet = 0; sheet < SheetCount(); ++sheet)
        order.append(2 * sheet);
    return order;
}

QList<int> TLeafPrint::BacksOrder(bool faceUpStacking) const
{
    QList<int> order;
    for (int sheet = 0; sheet < SheetCount(); ++sheet)
        order.append(2 * (faceUpStacking ? SheetCount() - 1 - sheet : sheet) + 1);
    return order;
}

QString TLeafPrint::TwoUpFit(int paperWidth, int bandWidth, int leftMargin, int rightMargin)
{
    const int needed = std::max(0, leftMargin) + std::max(0, rightMargin) + 2 * bandWidth;
    if (paperWidth >= needed)
        return {};
    return QStringLiteral("Two leaves do not fit on a sheet: two %1 mm pages and the printer margins (left %2 mm, "
                          "right %3 mm) need %4 mm, the paper is %5 mm wide.")
        .arg(bandWidth)
        .arg(leftMargin)
        .arg(rightMargin)
        .arg(needed)
        .arg(paperWidth);
}

QString TLeafPrint::TurnStackMessage(bool landscape)
{
    // A landscape sheet turned on its long edge would bring each back upside down behind its front.
    return landscape ? QStringLiteral("Turn the printed stack over, short edge, and put it back in the tray")
                     : QStringLiteral("Turn the printed stack over, long edge, and put it back in the tray");
}

} // namespace quillo
