#pragma once

#include "report/TBodyPigger.h"
#include "report/TKelCompLibrary.h"
#include "report/TReportPigger.h"
#include "report/TVirtualPage.h"
#include "report/TVirtualPageContent.h"
#include "testutil/TFakeTextMeasurer.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace quillo::testutil {

// A paint device of the given resolution.
inline QImage DeviceAt(int dpi)
{
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    return device;
}

// The compressor library built next to the test program.
inline const TKelCompLibrary& BuiltCompressor()
{
    static TKelCompLibrary library;
    if (!library.IsLoaded())
        library.Load(QCoreApplication::applicationDirPath() + QStringLiteral("/kelcomp"));
    return library;
}

// A report laid out at 96 DPI (378 centipixels a millimetre) with exact text sizes: 7 pixels a
// character, 12 a line.
class ReportTest : public ::testing::Test {
protected:
    void Lay(const QByteArray& text)
    {
        report.SetMeasurer(&measurer);
        report.SetCompressor(BuiltCompressor());
        report.Load(text);
        report.PrepareLayout(&device);
    }

    // The body indexes each page holds, first to last.
    std::vector<std::pair<int, int>> PageWindows() const
    {
        std::vector<std::pair<int, int>> windows;
        for (int i = 0; i < report.PageCount(); ++i)
            windows.emplace_back(report.Page(i)->Content()->FirstIndex(), report.Page(i)->Content()->LastIndex());
        return windows;
    }

    TVisualElemPigger* BodyElement(int index) const
    {
        return dynamic_cast<TVisualElemPigger*>(report.Body()->Child(index));
    }

    static constexpr int Scale = 378;
    TReportPigger report;
    TFakeTextMeasurer measurer { 7, 12 };
    QImage device = DeviceAt(96);
};

} // namespace quillo::testutil
