#include "ZdkCommands.h"

#include "report/TReportPigger.h"
#include "tree/EKelError.h"

#include <QImage>

#include <cmath>
#include <cstdio>

namespace quillo::zdktool {

namespace {

const char* const RenderUsage
    = "usage: zdktool render REPORT [--dpi N] [--paper WxH] [--landscape] [--margins L,T,R,B] "
      "[--print-zoom N] [--hbreak] [--overlap N] [--two-side]";

// A list of whole numbers separated by sep; empty when any part is not one.
QList<int> Numbers(const QString& text, QChar sep, qsizetype count)
{
    const QStringList parts = text.split(sep);
    QList<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        numbers.append(part.toInt(&ok));
        if (!ok)
            return {};
    }
    return numbers.size() == count ? numbers : QList<int> {};
}

} // namespace

int Render(const QStringList& args)
{
    QString reportFile;
    TReportPigger report;
    TPageSettings& settings = report.Settings();
    int dpi = 96;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--landscape")) {
            settings.orientation = TPageSettings::Landscape;
        } else if (arg == QLatin1String("--hbreak")) {
            settings.horBreak = true;
        } else if (arg == QLatin1String("--two-side")) {
            settings.twoSide = true;
        } else if (arg == QLatin1String("--dpi") && hasValue) {
            bool ok = false;
            dpi = args[++i].toInt(&ok);
            if (!ok || dpi < 10 || dpi > 4800)
                return Fail(QStringLiteral("--dpi must be a whole number from 10 to 4800"));
        } else if (arg == QLatin1String("--paper") && hasValue) {
            const QList<int> size = Numbers(args[++i], QChar('x'), 2);
            if (size.isEmpty())
                return Fail(QStringLiteral("--paper must be WIDTHxHEIGHT in millimetres"));
            // As the printer's paper: the shorter side first.
            settings.pageSizeLo = TPageSettings::PageSize(std::min(size[0], size[1]));
            settings.pageSizeHi = TPageSettings::PageSize(std::max(size[0], size[1]));
        } else if (arg == QLatin1String("--margins") && hasValue) {
            const QList<int> margins = Numbers(args[++i], QChar(','), 4);
            if (margins.isEmpty())
                return Fail(QStringLiteral("--margins must be L,T,R,B in millimetres"));
            settings.leftMargin = TPageSettings::Margin(margins[0]);
            settings.topMargin = TPageSettings::Margin(margins[1]);
            settings.rightMargin = TPageSettings::Margin(margins[2]);
            settings.bottomMargin = TPageSettings::Margin(margins[3]);
        } else if (arg == QLatin1String("--print-zoom") && hasValue) {
            bool ok = false;
            const int zoom = args[++i].toInt(&ok);
            settings.printZoom = TPageSettings::ZoomFactor(ok ? zoom : 0);
        } else if (arg == QLatin1String("--overlap") && hasValue) {
            bool ok = false;
            const int overlap = args[++i].toInt(&ok);
            settings.intersectSize = TPageSettings::IntersectSize(ok ? overlap : -1);
        } else if (reportFile.isEmpty() && (arg == QLatin1String("-") || !arg.startsWith(QLatin1String("--")))) {
            reportFile = arg;
        } else {
            return Fail(QString::fromLatin1(RenderUsage));
        }
    }
    if (reportFile.isEmpty())
        return Fail(QString::fromLatin1(RenderUsage));

    if (!LoadDocument(reportFile, report))
        return 1;
    report.Init();
    // Laid out as on a device of that resolution.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    report.PrepareLayout(&device);
    std::printf("pages: %d\nsheets: %d\n", report.PageCount(), report.PageCount() * report.SubPageCount());
    return 0;
}

} // namespace quillo::zdktool
