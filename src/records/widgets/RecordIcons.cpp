#include "records/widgets/RecordIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace quillo::RecordIcons {

namespace {

const QColor Ink(0x30, 0x30, 0x38);
const QColor Paper(0xfd, 0xfd, 0xf6);
const QColor Blue(0x2f, 0x6d, 0xb5);
const QColor Green(0x3c, 0x9a, 0x4e);
const QColor Red(0xc0, 0x39, 0x2b);
const QColor Amber(0xe9, 0xa8, 0x2b);

// Drawn on a 16x16 grid and scaled, so the icons stay crisp at every size.
QIcon Drawn(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int size : { 16, 24, 32 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(Ink, 1.0));
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A grid row: the record the command works on.
void Row(QPainter& p, qreal top = 5.5)
{
    p.setBrush(Paper);
    p.drawRect(QRectF(1.5, top, 13, 5));
    p.drawLine(QPointF(6, top), QPointF(6, top + 5));
}

void Stroke(QPainter& p, const QColor& color, qreal width, const QPainterPath& path)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Ink, 1.0));
}

QPainterPath Polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    return path;
}

void Arrow(QPainter& p, bool up)
{
    const qreal tip = up ? 2 : 14;
    const qreal base = 8;
    QPainterPath path;
    path.moveTo(8, tip);
    path.lineTo(3, base);
    path.lineTo(6, base);
    path.lineTo(6, up ? 14 : 2);
    path.lineTo(10, up ? 14 : 2);
    path.lineTo(10, base);
    path.lineTo(13, base);
    path.closeSubpath();
    p.setBrush(Blue);
    p.drawPath(path);
}

} // namespace

QIcon CommandIcon(Command command)
{
    switch (command) {
    case Command::Append:
        return Drawn([](QPainter& p) {
            Row(p, 8.5);
            Stroke(p, Green, 2.2, Polyline({ { 11, 1.5 }, { 11, 7.5 } }));
            Stroke(p, Green, 2.2, Polyline({ { 8, 4.5 }, { 14, 4.5 } }));
        });
    case Command::Delete:
        return Drawn([](QPainter& p) {
            Row(p);
            Stroke(p, Red, 2.2, Polyline({ { 4, 4 }, { 12, 12 } }));
            Stroke(p, Red, 2.2, Polyline({ { 12, 4 }, { 4, 12 } }));
        });
    case Command::Edit:
        return Drawn([](QPainter& p) {
            Row(p, 9.5);
            Stroke(p, Amber, 3.0, Polyline({ { 13.5, 2.5 }, { 6, 10 } }));
            Stroke(p, Ink, 1.0, Polyline({ { 6, 10 }, { 4.5, 12 }, { 7, 11 } }));
        });
    case Command::EditForm:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            for (const qreal y : { 5.0, 8.0, 11.0 }) {
                p.drawLine(QPointF(4.5, y), QPointF(7, y));
                p.setPen(QPen(Blue, 1.0));
                p.drawLine(QPointF(8, y), QPointF(11.5, y));
                p.setPen(QPen(Ink, 1.0));
            }
        });
    case Command::Post:
        return Drawn([](QPainter& p) {
            Stroke(p, Green, 2.6, Polyline({ { 2.5, 8.5 }, { 6.5, 12.5 }, { 13.5, 3.5 } }));
        });
    case Command::Cancel:
        return Drawn([](QPainter& p) {
            Stroke(p, Red, 2.6, Polyline({ { 3.5, 3.5 }, { 12.5, 12.5 } }));
            Stroke(p, Red, 2.6, Polyline({ { 12.5, 3.5 }, { 3.5, 12.5 } }));
        });
    case Command::Up:
        return Drawn([](QPainter& p) { Arrow(p, true); });
    case Command::Down:
        return Drawn([](QPainter& p) { Arrow(p, false); });
    case Command::Print:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(0x9a, 0x9a, 0xa4));
            p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
            p.setBrush(Paper);
            p.drawRect(QRectF(4.5, 10.5, 7, 4));
        });
    case Command::Http:
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0xd6, 0xe6, 0xf7));
            p.setPen(QPen(Blue, 1.0));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        });
    case Command::Email:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(1.5, 3.5, 13, 9));
            Stroke(p, Blue, 1.2, Polyline({ { 1.5, 3.5 }, { 8, 9 }, { 14.5, 3.5 } }));
        });
    case Command::File:
        return Drawn([](QPainter& p) {
            QPainterPath folder;
            folder.moveTo(1.5, 3.5);
            folder.lineTo(6, 3.5);
            folder.lineTo(7.5, 5);
            folder.lineTo(14.5, 5);
            folder.lineTo(14.5, 13.5);
            folder.lineTo(1.5, 13.5);
            folder.closeSubpath();
            p.setBrush(Amber);
            p.drawPath(folder);
        });
    }
    return {};
}

} // namespace quillo::RecordIcons
