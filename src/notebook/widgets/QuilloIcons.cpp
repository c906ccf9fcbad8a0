#include "notebook/widgets/QuilloIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace quillo::QuilloIcons {

namespace {

const QColor Ink(0x30, 0x30, 0x38);
const QColor Paper(0xfd, 0xfd, 0xf6);
const QColor Cover(0x2f, 0x6d, 0xb5);
const QColor CoverLight(0x7d, 0xa9, 0xdc);
const QColor Leaf(0xe9, 0xa8, 0x2b);
const QColor Green(0x3c, 0x9a, 0x4e);
const QColor Red(0xc0, 0x39, 0x2b);

// Draws on a 16x16 grid; the pixmap is scaled for larger sizes so the icons stay crisp.
QIcon Drawn(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int size : { 16, 24, 32, 48 }) {
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

void Book(QPainter& p, const QRectF& r, const QColor& cover)
{
    p.setBrush(Paper);
    p.drawRect(r.adjusted(1.5, 1, 0, 0));
    p.setBrush(cover);
    p.drawRect(r.adjusted(0, 0, -1.5, -1));
    p.setPen(QPen(Paper, 1.0));
    p.drawLine(QPointF(r.left() + 2.5, r.top() + 1.5), QPointF(r.left() + 2.5, r.bottom() - 2.5));
    p.setPen(QPen(Ink, 1.0));
}

void Sheet(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(Paper);
    p.drawPath(path);
}

void Lines(QPainter& p, qreal left, qreal right, qreal top, int count)
{
    p.setPen(QPen(CoverLight, 1.0));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
    p.setPen(QPen(Ink, 1.0));
}

void Column(QPainter& p, qreal x, qreal width, const QColor& head)
{
    p.setBrush(Paper);
    p.drawRect(QRectF(x, 2.5, width, 11));
    p.setBrush(head);
    p.drawRect(QRectF(x, 2.5, width, 3));
}

void Tabs(QPainter& p)
{
    p.setBrush(Leaf);
    p.drawRect(QRectF(12.5, 3.5, 2.5, 3));
    p.setBrush(Green);
    p.drawRect(QRectF(12.5, 7.5, 2.5, 3));
    Sheet(p, QRectF(1.5, 1.5, 11, 13));
    Lines(p, 3.5, 10.5, 5.5, 4);
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

// A closed outline filled with the colour.
void Filled(QPainter& p, const QColor& color, std::initializer_list<QPointF> points)
{
    QPainterPath path = Polyline(points);
    path.closeSubpath();
    p.setBrush(color);
    p.drawPath(path);
}

void Arrow(QPainter& p, bool up)
{
    // Drawn pointing up; pointing down it is mirrored about the middle.
    const auto y = [up](qreal at) { return up ? at : 16 - at; };
    Filled(p, Green,
        { { 8, y(2.5) }, { 13.5, y(8.5) }, { 10, y(8.5) }, { 10, y(13.5) }, { 6, y(13.5) }, { 6, y(8.5) },
            { 2.5, y(8.5) } });
}

// A hooked arrow turning back to the left (undo), or mirrored to the right (redo).
void TurnArrow(QPainter& p, bool back)
{
    if (!back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Green.darker(130), 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath hook = Polyline({ { 4.5, 6.5 }, { 10, 6.5 } });
    hook.cubicTo(15.5, 6.5, 15.5, 14, 10, 14);
    hook.lineTo(6.5, 14);
    p.drawPath(hook);
    p.setPen(QPen(Green.darker(130), 1.0));
    Filled(p, Green, { { 0.5, 6.5 }, { 6, 2 }, { 6, 11 } });
}

} // namespace

QIcon GuiderIcon(int index)
{
    switch (index) {
    case 0: // NOTEBOOKS: a stack of books
        return Drawn([](QPainter& p) {
            Book(p, QRectF(5.5, 0.5, 10, 12), CoverLight);
            Book(p, QRectF(0.5, 3.5, 10, 12), Cover);
        });
    case 1: // NOTEBOOK
        return Drawn([](QPainter& p) { Book(p, QRectF(2.5, 1.5, 11, 13), Cover); });
    case 2: // FIELDS: three columns
        return Drawn([](QPainter& p) {
            Column(p, 0.5, 5, Cover);
            Column(p, 5.5, 5, Cover);
            Column(p, 10.5, 5, Cover);
        });
    case 3: // FIELD: one column
        return Drawn([](QPainter& p) {
            Column(p, 5, 6, Leaf);
            Lines(p, 6.5, 9.5, 8.5, 3);
        });
    case 4: // PAGES: a sheet with tabs
        return Drawn([](QPainter& p) { Tabs(p); });
    case 5: // PAGE: one ruled sheet
        return Drawn([](QPainter& p) {
            Sheet(p, QRectF(2.5, 1.5, 11, 13));
            Lines(p, 4.5, 11.5, 5.5, 4);
        });
    default:
        return QIcon();
    }
}

QIcon ToolIcon(Tool tool)
{
    switch (tool) {
    case Tool::New:
        return Drawn([](QPainter& p) {
            Sheet(p, QRectF(2.5, 1.5, 10, 13));
            p.setBrush(Leaf);
            p.drawEllipse(QPointF(12, 4), 3, 3);
        });
    case Tool::Open:
        return Drawn([](QPainter& p) {
            p.setBrush(Leaf);
            p.drawRect(QRectF(0.5, 3.5, 13, 10));
            Filled(p, QColor(0xf6, 0xd0, 0x7a), { { 2.5, 7.5 }, { 15.5, 7.5 }, { 13.5, 13.5 }, { 0.5, 13.5 } });
        });
    case Tool::Save:
        return Drawn([](QPainter& p) {
            p.setBrush(Cover);
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Paper);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.drawRect(QRectF(3.5, 9.5, 9, 5));
        });
    case Tool::Search:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Ink, 2.0));
            p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
            p.setPen(QPen(Ink, 1.0));
            p.setBrush(QColor(0xd8, 0xea, 0xfa));
            p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
        });
    case Tool::Remind:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(1.5, 3.5, 13, 11));
            p.setBrush(QColor(0xc8, 0x3c, 0x3c));
            p.drawRect(QRectF(1.5, 3.5, 13, 3));
            p.drawLine(QPointF(4.5, 1.5), QPointF(4.5, 4.5));
            p.drawLine(QPointF(11.5, 1.5), QPointF(11.5, 4.5));
        });
    case Tool::Settings:
        return Drawn([](QPainter& p) {
            Sheet(p, QRectF(1.5, 1.5, 10, 13));
            p.setBrush(Leaf);
            p.drawRect(QRectF(11.5, 2.5, 3, 3));
            p.drawRect(QRectF(11.5, 6.5, 3, 3));
        });
    case Tool::Guider:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(0.5, 1.5, 15, 13));
            p.setBrush(CoverLight);
            p.drawRect(QRectF(0.5, 1.5, 5, 13));
            Lines(p, 1.5, 4.5, 4.5, 4);
        });
    case Tool::Up:
        return Drawn([](QPainter& p) { Arrow(p, true); });
    case Tool::Down:
        return Drawn([](QPainter& p) { Arrow(p, false); });
    case Tool::Undo:
        return Drawn([](QPainter& p) { TurnArrow(p, true); });
    case Tool::Redo:
        return Drawn([](QPainter& p) { TurnArrow(p, false); });
    case Tool::Program:
        return Drawn([](QPainter& p) {
            Book(p, QRectF(1.5, 0.5, 13, 15), Cover);
            p.setBrush(Leaf);
            p.drawRect(QRectF(14, 3.5, 1.5, 3));
        });
    }
    return QIcon();
}

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
            Stroke(p, Leaf, 3.0, Polyline({ { 13.5, 2.5 }, { 6, 10 } }));
            Stroke(p, Ink, 1.0, Polyline({ { 6, 10 }, { 4.5, 12 }, { 7, 11 } }));
        });
    case Command::EditForm:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            for (const qreal y : { 5.0, 8.0, 11.0 }) {
                p.drawLine(QPointF(4.5, y), QPointF(7, y));
                p.setPen(QPen(Cover, 1.0));
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
        return ToolIcon(Tool::Up);
    case Command::Down:
        return ToolIcon(Tool::Down);
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
            p.setPen(QPen(Cover, 1.0));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        });
    case Command::Email:
        return Drawn([](QPainter& p) {
            p.setBrush(Paper);
            p.drawRect(QRectF(1.5, 3.5, 13, 9));
            Stroke(p, Cover, 1.2, Polyline({ { 1.5, 3.5 }, { 8, 9 }, { 14.5, 3.5 } }));
        });
    case Command::File:
        return Drawn([](QPainter& p) {
            Filled(p, Leaf, { { 1.5, 3.5 }, { 6, 3.5 }, { 7.5, 5 }, { 14.5, 5 }, { 14.5, 13.5 }, { 1.5, 13.5 } });
        });
    }
    return {};
}

} // namespace quillo::QuilloIcons
