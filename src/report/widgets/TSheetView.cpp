#include "report/widgets/TSheetView.h"

#include "report/ISheetSource.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quillo {

namespace {

// Pixels between the front and the back.
constexpr int SideGap = 16;
constexpr int MinZoom = 10;
constexpr int MaxZoom = 400;
constexpr double MmPerInch = 25.4;

class TSheetBox : public QWidget {
public:
    explicit TSheetBox(TSheetView& view)
        : m_view(view)
    {
        setObjectName(QStringLiteral("Box_Sheet"));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        for (int which = 0; which < 2; ++which)
            if (event->rect().intersects(m_view.SideRect(which)))
                m_view.PaintSide(painter, which);
    }

private:
    TSheetView& m_view;
};

} // namespace

TSheetView::TSheetView(QWidget* parent)
    : QScrollArea(parent)
    , m_box(new TSheetBox(*this))
{
    setObjectName(QStringLiteral("SheetView"));
    setWidget(m_box);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    m_box->resize(0, 0);
}

void TSheetView::SetSource(ISheetSource* source)
{
    m_source = source;
    m_sheet = source && source->SheetCount() > 0 ? 0 : -1;
    m_fit = true;
    FitSheet();
}

int TSheetView::SheetCount() const { return m_source ? m_source->SheetCount() : 0; }

void TSheetView::SetSheet(int index)
{
    const int sheet = std::clamp(index, std::min(0, SheetCount() - 1), SheetCount() - 1);
    if (sheet == m_sheet)
        return;
    m_sheet = sheet;
    m_box->update();
    emit ViewChanged();
}

void TSheetView::SetDisplayZoom(int percent)
{
    m_fit = false;
    const int zoom = std::clamp(percent, MinZoom, MaxZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    Relayout();
}

void TSheetView::FitSheet()
{
    m_fit = true;
    if (m_sheet >= 0) {
        const QSize paper = m_source->PaperSize();
        const QSize room = viewport()->size();
        const double pxPerMm = logicalDpiX() / MmPerInch;
        const double across = (room.width() - SideGap - 2) / (2.0 * paper.width() * pxPerMm);
        const double down = (room.height() - 2) / (paper.height() * pxPerMm);
        m_zoom = std::clamp(int(std::floor(100 * std::min(across, down))), MinZoom, MaxZoom);
    }
    Relayout();
}

double TSheetView::PxPerMm() const { return logicalDpiX() / MmPerInch * m_zoom / 100.0; }

QRect TSheetView::SideRect(int which) const
{
    if (m_sheet < 0)
        return {};
    const QSize paper = m_source->PaperSize();
    const int width = qRound(paper.width() * PxPerMm());
    const int height = qRound(paper.height() * PxPerMm());
    return QRect(which * (width + SideGap), 0, width, height);
}

void TSheetView::Relayout()
{
    const QRect back = SideRect(1);
    m_box->resize(m_sheet < 0 ? QSize(0, 0) : QSize(back.right() + 1, back.bottom() + 1));
    m_box->update();
    emit ViewChanged();
}

void TSheetView::PaintSide(QPainter& painter, int which) const
{
    const QRect side = SideRect(which);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(side, Qt::white);
    painter.setClipRect(side);
    painter.translate(side.topLeft());
    // The source draws at the box's resolution; the zoom scales it.
    const double scale = m_zoom / 100.0;
    painter.scale(scale, scale);
    m_source->DrawSide(painter, 2 * m_sheet + which);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawRect(side.adjusted(0, 0, -1, -1));
}

void TSheetView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit)
        FitSheet();
}

void TSheetView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0)
        emit WheelZoom(delta > 0 ? 1 : -1);
    event->accept();
}

} // namespace quillo
