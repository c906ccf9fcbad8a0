// Reads random report documents, initialises them and lays them out with page settings taken from
// the first bytes. Reading errors are fine; crashes, hangs and sanitizer reports are not.
#include "report/ITextMeasurer.h"
#include "report/TReportPigger.h"
#include "tree/EKelError.h"

#include <QGuiApplication>
#include <QImage>

#include <cstddef>
#include <cstdint>

using namespace quillo;

namespace {

// Fast and exact: 6 pixels a character, 10 a line.
class TCountingMeasurer : public ITextMeasurer {
public:
    QSize Measure(const QFont&, const QString& text, const TTextFlags&, int, QPaintDevice*) override
    {
        return QSize(int(text.size()) * 6, int(text.count(QChar('\n')) + 1) * 10);
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size < 4)
        return 0;
    static TCountingMeasurer measurer;
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    TReportPigger report;
    report.SetMeasurer(&measurer);
    TPageSettings& settings = report.Settings();
    settings.orientation = bytes[0] & 1 ? TPageSettings::Landscape : TPageSettings::Portrait;
    settings.horBreak = bytes[0] & 2;
    settings.twoSide = bytes[0] & 4;
    settings.printZoom = 0.1 + (bytes[1] % 40) / 10.0;
    settings.topMargin = bytes[2] % 64;
    settings.leftMargin = bytes[2] / 4;
    settings.bottomMargin = bytes[3] % 64;
    settings.rightMargin = bytes[3] / 8;
    settings.intersectSize = bytes[0] / 16;
    try {
        report.Load(QByteArray(reinterpret_cast<const char*>(bytes) + 4, qsizetype(size) - 4));
    } catch (const EKelError&) {
        return 0;
    }
    // Twice: the second layout replaces the pages of the first.
    report.PrepareLayout(&device);
    settings.displayZoom = 2.0;
    report.PrepareLayout(&device);
    for (int i = 0; i < report.PageCount(); ++i)
        report.PageRect(i);
    return 0;
}
