// Draws pages of the 1,000-page listing (SyntheticReport) into an A4 image at 96 DPI, beside plain
// QPainter calls that draw the same cells (fills, lines and elided text) without report objects;
// writes the whole listing to PDF and reports its size.
#include "SyntheticReport.h"
#include "TBenchTargets.h"

#include "report/TKelReport.h"
#include "report/TPdfExport.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace quillo;

namespace {

QImage A4At96()
{
    QImage image(794, 1123, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

const QByteArray& LongReport()
{
    static const QByteArray text = ListingReport(1000);
    return text;
}

void Render_DrawPage(benchmark::State& state)
{
    TKelReport report;
    SetListingPage(report);
    report.LoadFromString(LongReport());
    QImage image = A4At96();
    if (report.PageCount(&image) != 1000) {
        state.SkipWithError("the listing is not 1,000 pages");
        return;
    }
    int page = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        report.DrawPage(painter, page, QRect(), QPoint(0, 0));
        page = (page + 97) % 1000;
    }
}
BENCHMARK(Render_DrawPage)->Name("Render/DrawPageA4At96")->Unit(benchmark::kMillisecond);

// The same page drawn with QPainter directly: header, 30 rows of three bordered cells, footer.
void Qt_DrawCells(benchmark::State& state)
{
    QImage image = A4At96();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font, &image);
    const int left = 57;
    const int widths[] = { 227, 151, 302 };
    int row0 = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.setFont(font);
        painter.fillRect(QRect(left, 38, 680, 26), Qt::lightGray);
        for (int row = 0; row < RowsPerPage + 1; ++row) {
            int x = left;
            const int y = 38 + row * 33;
            for (int c = 0; c < 3; ++c) {
                const QRect cell(x, y, widths[c], 33);
                painter.fillRect(cell, Qt::white);
                const QString text = c == 0 ? QStringLiteral("Zoë Nummer %1").arg(row0 + row)
                    : c == 1                ? QStringLiteral("+49 30 %1").arg(row0 + row)
                                            : QStringLiteral("person%1@example.org").arg(row0 + row);
                painter.save();
                painter.setClipRect(cell);
                painter.drawText(
                    cell, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(text, Qt::ElideRight, cell.width()));
                painter.restore();
                painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
                x += widths[c];
            }
        }
        painter.drawText(QRect(left, 1085, 680, 38), Qt::AlignRight, QStringLiteral("Page 1 of 1000"));
        row0 += RowsPerPage;
    }
}
BENCHMARK(Qt_DrawCells)->Name("Qt/DrawCellsA4At96")->Unit(benchmark::kMillisecond);

void Render_Pdf(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("listing.pdf"));
    TKelReport report;
    SetListingPage(report);
    report.LoadFromString(LongReport());
    for (auto _ : state)
        ExportPdf(report, path);
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    state.counters["pages"] = 1000;
}
BENCHMARK(Render_Pdf)->Name("Render/Pdf1000")->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        // The plain QPainter figure of the same cells is printed above for comparison.
        targets.AtMost(
            "draw one A4 page of the 1,000-page listing at 96 DPI", "Render/DrawPageA4At96", "seconds", 0.020);
        targets.AtMost("the 1,000-page listing to PDF", "Render/Pdf1000", "seconds", 10);
        targets.AtMost("size of the 1,000-page PDF", "Render/Pdf1000", "file_MB", 10);
    });
}
