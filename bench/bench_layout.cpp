// Lays out long listings (SyntheticReport). The cost per page must not grow with the
// number of pages. Reading the report text is measured beside pugixml on the same bytes.
#include "SyntheticReport.h"
#include "TBenchTargets.h"

#include "report/TReportPigger.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <QGuiApplication>
#include <QImage>

#include <malloc.h>

#include <string>

using namespace quillo;

namespace {

QImage Screen()
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    return device;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void PrepareA4(TReportPigger& report)
{
    report.Settings().topMargin = 10;
    report.Settings().bottomMargin = 10;
    report.Settings().leftMargin = 15;
    report.Settings().rightMargin = 15;
}

void LayOut(benchmark::State& state, int pages)
{
    const QByteArray text = ListingReport(pages);
    QImage device = Screen();
    const size_t before = HeapInUse();
    TReportPigger report;
    PrepareA4(report);
    report.Load(text);
    report.PrepareLayout(&device);
    const size_t used = HeapInUse() - before;
    if (report.PageCount() != pages) {
        state.SkipWithError(("laid out " + std::to_string(report.PageCount()) + " pages").c_str());
        return;
    }
    for (auto _ : state)
        report.PrepareLayout(&device);
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["memory_MB"] = double(used) / 1e6;
    state.counters["text_MB"] = double(text.size()) / 1e6;
}

void Layout_10(benchmark::State& state) { LayOut(state, 10); }
void Layout_100(benchmark::State& state) { LayOut(state, 100); }
void Layout_1000(benchmark::State& state) { LayOut(state, 1000); }
BENCHMARK(Layout_10)->Name("Layout/Pages10")->Unit(benchmark::kMillisecond);
BENCHMARK(Layout_100)->Name("Layout/Pages100")->Unit(benchmark::kMillisecond);
BENCHMARK(Layout_1000)->Name("Layout/Pages1000")->Unit(benchmark::kMillisecond);

const QByteArray& LongText()
{
    static const QByteArray text = ListingReport(1000);
    return text;
}

void Report_Load(benchmark::State& state)
{
    for (auto _ : state) {
        TReportPigger report;
        report.Load(LongText());
        benchmark::DoNotOptimize(report.Body());
    }
    state.counters["MB/s"]
        = benchmark::Counter(double(LongText().size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Report_Load)->Name("Report/Load")->Unit(benchmark::kMillisecond);

void Pugixml_Parse(benchmark::State& state)
{
    for (auto _ : state) {
        pugi::xml_document document;
        document.load_buffer(LongText().constData(), size_t(LongText().size()));
        benchmark::DoNotOptimize(document.first_child());
    }
    state.counters["MB/s"]
        = benchmark::Counter(double(LongText().size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Pugixml_Parse)->Name("Pugixml/Parse")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    FixHeapThresholds();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.AtMost("lay out 1,000 pages (30,000 rows)", "Layout/Pages1000", "seconds", 1.0);
        // Flat: a page of a 1,000-page report costs at most 1.5 times a page of a 10-page one.
        targets.RatioAtLeast(
            "pages per second, 1,000 vs 10 pages", "Layout/Pages1000", "Layout/Pages10", "pages_per_s", 0.67);
        targets.AtMost("memory of the laid-out 1,000 pages", "Layout/Pages1000", "memory_MB", 400);
        // Reading builds the report objects and initialises them (styles, fonts, images); pugixml's
        // parse of the same bytes is printed above for comparison.
        targets.AtMost("read and initialise the 1,000-page report", "Report/Load", "seconds", 0.5);
    });
}
