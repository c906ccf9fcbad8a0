#include "report/widgets/TPreviewBox.h"

#include "report/widgets/TFrame_Preview.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillo {

TPreviewBox::TPreviewBox(TFrame_Preview& frame)
    : m_frame(frame)
{
    setObjectName(QStringLiteral("Box_View"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void TPreviewBox::paintEvent(QPaintEvent* event)
{
    if (m_frame.m_page < 0)
        return;
    QPainter painter(this);
    const auto [left, right] = m_frame.Spread();
    for (const int index : { left, right }) {
        if (index < 0)
            continue;
        const QPoint origin = m_frame.PageOrigin(index);
        const QRect page = m_frame.m_report.PageRect(this, index).translated(origin);
        const QRect clip = event->rect().intersected(page);
        if (clip.isEmpty())
            continue;
        m_frame.m_report.DrawPage(painter, index, clip, origin);
        // The page edge.
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(page.adjusted(0, 0, -1, -1));
    }
}

void TPreviewBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - m_frame.PageOrigin(m_frame.m_page);
    m_frame.m_report.MouseMoveAt(at.x(), at.y());
}

void TPreviewBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - m_frame.PageOrigin(m_frame.m_page);
    m_frame.m_report.MouseDownAt(at.x(), at.y());
}

void TPreviewBox::leaveEvent(QEvent*) { m_frame.m_report.MouseMoveAt(-1, -1); }

} // namespace quillo
