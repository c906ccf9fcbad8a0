#pragma once

#include <QBrush>
#include <QPen>
#include <QWidget>

namespace quillo {

// A filled and outlined rectangle of a schematic picture.
class TShape : public QWidget {
public:
    TShape(const QString& name, const QBrush& brush, const QPen& pen, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush m_brush;
    QPen m_pen;
};

} // namespace quillo
