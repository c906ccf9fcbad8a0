#include "ZdkCommands.h"

#include "report/TKelReport.h"
#include "tree/EKelError.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace quillo::zdktool {

namespace {

const char* const RenderUsage = "usage: zdktool render REPORT [--pdf OUT.pdf] [--png PREFIX] [--dpi N] [--paper WxH] "
                                "[--landscape] [--margins L,T,R,B] "
                                "[--print-zoom N] [--hbreak] [--overlap N] [--two-side]";

// An image of the resolution, white.
QImage Canvas(QSize size, int dpi)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

// PREFIX-1.png, ... one image a page, as the preview draws it.
bool WritePngs(TKelReport& report, const QString& prefix, int dpi)
{
    QImage canvas = Canvas(QSize(1, 1), dpi);
    const int count = report.PageCount(&canvas);
    if (count == 0)
        return true;
    canvas = Canvas(report.PageRect(&canvas, 0).size(), dpi);
    for (int i = 0; i < count; ++i) {
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        report.DrawPage(painter, i, QRect(), QPoint(0, 0));
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        canvas.save(&buffer, "PNG");
        if (!WriteFile(QStringLiteral("%1-%2.png").arg(prefix).arg(i + 1), png))
            return false;
    }
    return true;
}

} // namespace

int Render(const QStringList& args)
{
    QString reportFile;
    QString pdfFile;
    QString pngPrefix;
    TKelReport report;
    int dpi = 96;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--landscape")) {
            report.SetPageOrientation(TPageSettings::Landscape);
        } else if (arg == QLatin1String("--hbreak")) {
            report.SetHorBreakMode(true);
        } else if (arg == QLatin1String("--two-side")) {
            report.SetTwoSidePrinting(true);
        } else if (arg == QLatin1String("--pdf") && hasValue) {
            pdfFile = args[++i];
        } else if (arg == QLatin1String("--png") && hasValue) {
            pngPrefix = args[++i];
        } else if (arg == QLatin1String("--dpi") && hasValue) {
            bool ok = false;
            dpi = args[++i].toInt(&ok);
            if (!ok || dpi < 10 || dpi > 4800)
                return Fail(QStringLiteral("--dpi must be a whole number from 10 to 4800"));
        } else if (arg == QLatin1String("--paper") && hasValue) {
            const QList<int> size = NumberList(args[++i], QChar('x'), 2);
            if (size.isEmpty())
                return Fail(QStringLiteral("--paper must be WIDTHxHEIGHT in millimetres"));
            // As the printer's paper: the shorter side first.
            report.SetPageSizeLo(std::min(size[0], size[1]));
            report.SetPageSizeHi(std::max(size[0], size[1]));
        } else if (arg == QLatin1String("--margins") && hasValue) {
            const QList<int> margins = NumberList(args[++i], QChar(','), 4);
            if (margins.isEmpty())
                return Fail(QStringLiteral("--margins must be L,T,R,B in millimetres"));
            report.SetLeftMargin(margins[0]);
            report.SetTopMargin(margins[1]);
            report.SetRightMargin(margins[2]);
            report.SetBottomMargin(margins[3]);
        } else if (arg == QLatin1String("--print-zoom") && hasValue) {
            bool ok = false;
            const int zoom = args[++i].toInt(&ok);
            report.SetPrintZoom(ok ? zoom : 0);
        } else if (arg == QLatin1String("--overlap") && hasValue) {
            bool ok = false;
            const int overlap = args[++i].toInt(&ok);
            report.SetIntersectSize(ok ? overlap : -1);
        } else if (reportFile.isEmpty() && (arg == QLatin1String("-") || !arg.startsWith(QLatin1String("--")))) {
            reportFile = arg;
        } else {
            return Fail(QString::fromLatin1(RenderUsage));
        }
    }
    if (reportFile.isEmpty())
        return Fail(QString::fromLatin1(RenderUsage));

    if (!LoadDocument(reportFile, report.Document()))
        return 1;
    report.Document().Init();
    QImage device = Canvas(QSize(1, 1), dpi);
    const int pages = report.PageCount(&device);
    WriteOut(QStringLiteral("pages: %1\nsheets: %2\n").arg(pages).arg(pages * report.SubPageCount()).toUtf8());
    if (!pngPrefix.isEmpty() && !WritePngs(report, pngPrefix, dpi))
        return 1;
    if (!pdfFile.isEmpty() && !WriteReportPdf(report, pdfFile))
        return 1;
    return 0;
}

} // namespace quillo::zdktool
