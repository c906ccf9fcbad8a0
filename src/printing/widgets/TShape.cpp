#include "printing/widgets/TShape.h"

#include <QPainter>

namespace quillo {

TShape::TShape(const QString& name, const QBrush& brush, const QPen& pen, QWidget* parent)
    : QWidget(parent)
    , m_brush(brush)
    , m_pen(pen)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_brush);
    if (m_pen.style() == Qt::NoPen)
        return;
    painter.setPen(m_pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quillo
