#include "printing/widgets/TSideShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillo {

TSideShape::TSideShape(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TSideShape::SetOutlined(bool outlined)
{
    if (outlined == m_outlined)
        return;
    m_outlined = outlined;
    update();
}

void TSideShape::paintEvent(QPaintEvent*)
{
    if (!m_outlined)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void TSideShape::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
}

} // namespace quillo
