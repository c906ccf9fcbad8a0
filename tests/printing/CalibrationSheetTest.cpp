// The calibration sheet: each side's cross at its known point, moved by that side's offsets.
#include "printing/CalibrationSheet.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quillo;

namespace {

// An A4 side at 10 pixels a millimetre.
QImage Side(bool back, const TPrintOffsets& offsets)
{
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QPainter painter(&image);
    CalibrationSheet::DrawSide(painter, 210, 297, back, offsets);
    return image;
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

TEST(CalibrationSheet, EachSidesCrossLiesAtItsPointMovedByThatSidesOffsets)
{
    const TPrintOffsets offsets { 15, -8, -5, 30 };
    struct Row {
        bool back;
        TPrintOffsets offsets;
        int dx, dy;
    };
    for (const Row& row : { Row { false, {}, 0, 0 }, Row { true, {}, 0, 0 }, Row { false, offsets, 15, -8 },
             Row { true, offsets, -5, 30 } }) {
        SCOPED_TRACE(testing::Message() << row.back << ' ' << row.dx << ' ' << row.dy);
        const QImage image = Side(row.back, row.offsets);
        const int x = CalibrationSheet::CrossLeft * 10 + row.dx;
        const int y = CalibrationSheet::CrossTop * 10 + row.dy;
        // The arms: 5 mm out on each of the four sides, and nothing 1 mm off the lines.
        for (const QPoint& arm : { QPoint(x - 50, y), QPoint(x + 50, y), QPoint(x, y - 50), QPoint(x, y + 50) })
            EXPECT_TRUE(Dark(image, arm.x(), arm.y())) << arm.x() << ',' << arm.y();
        EXPECT_FALSE(Dark(image, x - 50, y - 10));
        EXPECT_FALSE(Dark(image, x + 10, y + 50));
        // A ruler tick at the left edge, 100 mm down.
        EXPECT_TRUE(Dark(image, 20 + row.dx, 1000 + row.dy));
    }
}

} // namespace
