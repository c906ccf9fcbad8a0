#include "report/widgets/TFrame_Preview.h"

#include "report/TPdfExport.h"
#include "report/widgets/TPreviewBox.h"

#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace quillo {

namespace {

// Pixels between the two pages of a spread.
constexpr int SpreadGap = 8;

} // namespace

TFrame_Preview::TFrame_Preview(QWidget* parent)
    : QFrame(parent)
    , m_scroll(new QScrollArea(this))
    , m_box(new TPreviewBox(*this))
{
    setObjectName(QStringLiteral("FrView"));
    m_scroll->setObjectName(QStringLiteral("Scroll"));
    m_scroll->setWidget(m_box);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->viewport()->installEventFilter(this);
    m_box->resize(0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    m_report.OnHREF = [this](TKelReport&, const QByteArray& href) {
        if (OnHREF)
            OnHREF(m_report, href);
    };
    m_report.OnInvalidate = [this](const QRect& r) { m_box->update(r.translated(PageOrigin(m_page))); };
}

TFrame_Preview::~TFrame_Preview() = default;

QWidget* TFrame_Preview::BoxView() const { return m_box; }

void TFrame_Preview::BeginUpdate() { ++m_updates; }

void TFrame_Preview::EndUpdate()
{
    if (m_updates > 0 && --m_updates == 0)
        RefreshView();
}

void TFrame_Preview::Changed()
{
    if (m_updates == 0)
        RefreshView();
}

void TFrame_Preview::LoadDocument(const QByteArray& text)
{
    m_report.LoadFromString(text);
    Changed();
}

void TFrame_Preview::SetPage(int index)
{
    const int page = std::max(-1, std::min(index, m_pageCount - 1));
    if (page == m_page)
        return;
    m_page = page;
    Changed();
}

template <typename T, typename Setter> void TFrame_Preview::Apply(T current, T value, Setter set)
{
    if (current == value)
        return;
    (m_report.*set)(value);
    Changed();
}

void TFrame_Preview::SetDisplayZoom(int percent) { Apply(DisplayZoom(), percent, &TKelReport::SetDisplayZoom); }
void TFrame_Preview::SetPrintZoom(int percent) { Apply(PrintZoom(), percent, &TKelReport::SetPrintZoom); }
void TFrame_Preview::SetOrientation(TPageSettings::TOrientation orientation)
{
    Apply(Orientation(), orientation, &TKelReport::SetPageOrientation);
}
void TFrame_Preview::SetPageSizeLo(int mm) { Apply(PageSizeLo(), mm, &TKelReport::SetPageSizeLo); }
void TFrame_Preview::SetPageSizeHi(int mm) { Apply(PageSizeHi(), mm, &TKelReport::SetPageSizeHi); }
void TFrame_Preview::SetLeftMargin(int mm) { Apply(LeftMargin(), mm, &TKelReport::SetLeftMargin); }
void TFrame_Preview::SetRightMargin(int mm) { Apply(RightMargin(), mm, &TKelReport::SetRightMargin); }
void TFrame_Preview::SetTopMargin(int mm) { Apply(TopMargin(), mm, &TKelReport::SetTopMargin); }
void TFrame_Preview::SetBottomMargin(int mm) { Apply(BottomMargin(), mm, &TKelReport::SetBottomMargin); }
void TFrame_Preview::SetTwoSidePrinting(bool on) { Apply(TwoSidePrinting(), on, &TKelReport::SetTwoSidePrinting); }
void TFrame_Preview::SetHorBreakMode(bool on) { Apply(HorBreakMode(), on, &TKelReport::SetHorBreakMode); }
void TFrame_Preview::SetIntersectSize(int mm) { Apply(IntersectSize(), mm, &TKelReport::SetIntersectSize); }

void TFrame_Preview::SetPaperFromPrinter(const QPagedPaintDevice& printer)
{
    const bool wasInvalid = m_report.LayoutInvalid();
    m_report.SetPageSizeFromPrinter(printer);
    if (!wasInvalid && m_report.LayoutInvalid())
        Changed();
}

void TFrame_Preview::SetFacingPages(bool on)
{
    if (on == m_facing)
        return;
    m_facing = on;
    Changed();
}

std::pair<int, int> TFrame_Preview::Spread() const
{
    if (!m_facing || m_page < 0)
        return { m_page, -1 };
    // Page numbers from 1: odd pages are right-hand pages.
    if (m_page % 2 == 0)
        return { m_page - 1, m_page };
    return { m_page, m_page + 1 < m_pageCount ? m_page + 1 : -1 };
}

QPoint TFrame_Preview::PageOrigin(int index) const
{
    if (!m_facing || index < 0 || index % 2 == 1)
        return QPoint(0, 0);
    const int width = m_pageCount > 0 ? m_box->width() - SpreadGap : 0;
    return QPoint(width / 2 + SpreadGap, 0);
}

void TFrame_Preview::RefreshView()
{
    m_pageCount = m_report.PageCount(m_box);
    m_page = std::max(-1, std::min(m_page, m_pageCount - 1));
    if (m_page >= 0) {
        const QSize page = m_report.PageRect(m_box, 0).size();
        m_box->resize(m_facing ? QSize(2 * page.width() + SpreadGap, page.height()) : page);
        m_box->update();
    } else {
        m_box->resize(0, 0);
        m_scroll->horizontalScrollBar()->setValue(0);
        m_scroll->verticalScrollBar()->setValue(0);
    }
    emit ViewRefreshed();
}

void TFrame_Preview::FitPage()
{
    if (m_page < 0)
        return;
    QRect view = m_scroll->viewport()->rect();
    if (m_facing)
        view.setWidth((view.width() - SpreadGap) / 2);
    m_report.FitZoom(m_box, m_page, view);
    Changed();
}

void TFrame_Preview::PrintReport(QPrinter& printer, const TPrintOffsets& offsets)
{
    m_report.Print(
        printer, [&printer] { printer.abort(); }, offsets);
    Changed();
}

void TFrame_Preview::ExportPdf(const QString& path, const TPrintOffsets& offsets)
{
    // Printing lays the report out for the PDF; the view is laid out again for the screen.
    try {
        quillo::ExportPdf(m_report, path, offsets);
    } catch (...) {
        RefreshView();
        throw;
    }
    RefreshView();
}

bool TFrame_Preview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                emit WheelZoom(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace quillo
