// A 26-page notebook (A to Z, each page full with the records a page prints) printed to PDF as leaves with
// the Personal template, one and two leaves a sheet, beside the same 26 pages printed one at a time
// through the single-page path, each to a PDF of its own.
#include "TBenchTargets.h"

#include "printing/PageReport.h"
#include "printing/TLeafPrint.h"
#include "printing/TPassedParams.h"
#include "report/TKelReport.h"
#include "report/TPdfExport.h"
#include "reportgen/TRepGenPig.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>

using namespace quillo;

namespace {

const QString Personal = QStringLiteral(QUILLO_SOURCE_DIR "/templates/personal-95x171.zdkt");

// RPP 10: ten records fill a Personal page.
std::unique_ptr<TKelPigger> AlphabetNotebook()
{
    auto notebook = std::make_unique<TKelPigger>();
    notebook->SetTag("NOTEBOOK");
    notebook->SetAttr(QStringLiteral("NAME"), QStringLiteral("Alphabet"));
    notebook->SetAttr(QStringLiteral("RPP"), QStringLiteral("10"));
    auto* pages = new TKelPigger(notebook.get());
    pages->SetTag("PAGES");
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        auto* page = new TKelPigger(pages);
        page->SetTag("PAGE");
        page->SetAttr(QStringLiteral("NAME"), QString(QLatin1Char(letter)));
        for (int i = 0; i < 10; ++i) {
            auto* rec = new TKelPigger(page);
            rec->SetTag("REC");
            rec->SetAttr(QStringLiteral("FIRST_NAME"), QStringLiteral("Person%1").arg(i));
            rec->SetAttr(QStringLiteral("LAST_NAME"), QStringLiteral("%1ster").arg(QLatin1Char(letter)));
            rec->SetAttr(QStringLiteral("ADDR"), QStringLiteral("%1 High Street, Leafton").arg(i + 1));
            rec->SetAttr(QStringLiteral("PHONE"), QStringLiteral("+44 20 7946 %1").arg(1000 + i));
            rec->SetAttr(QStringLiteral("E_MAIL"), QStringLiteral("person%1@example.org").arg(i));
        }
    }
    return notebook;
}

void Leaves(benchmark::State& state)
{
    const auto notebook = AlphabetNotebook();
    TLeafPrint::TOptions options;
    options.up = int(state.range(0));
    if (options.up == 2) {
        options.paperWidth = 297;
        options.paperHeight = 210;
    }
    qint64 bytes = 0;
    for (auto _ : state) {
        TLeafPrint leaves(*notebook, options);
        leaves.Generate(Personal);
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        leaves.WritePdf(buffer);
        bytes = pdf.size();
        if (!leaves.Warnings().isEmpty()) {
            state.SkipWithError("a page runs over its leaf");
            return;
        }
    }
    state.counters["file_MB"] = double(bytes) / 1e6;
}
BENCHMARK(Leaves)->Name("Leaves/26Pages1Up")->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Leaves)->Name("Leaves/26Pages2Up")->Arg(2)->Unit(benchmark::kMillisecond);

void SinglePages(benchmark::State& state)
{
    const auto notebook = AlphabetNotebook();
    const TKelPigger* pages = notebook->FindChild("PAGES");
    for (auto _ : state) {
        TRepGenPig generator;
        TPassedParams params;
        for (int i = 0; i < pages->ChildCount(); ++i) {
            const QString side = i % 2 == 0 ? PagePlacement::Right : PagePlacement::Left;
            params.Clear();
            params.SetPageParams(side, notebook.get());
            const PageReport::TGenerated generated
                = PageReport::Generate(generator, Personal, *pages->Child(i), params.Node());
            TKelReport report;
            PageReport::Place(report, { side, 20, 20, 20 }, generated.bandWidth);
            report.LoadFromString(generated.text);
            QByteArray pdf;
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            ExportPdf(report, buffer);
        }
    }
}
BENCHMARK(SinglePages)->Name("PageByPage/26Pages")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        // The page-by-page figure above is the anchor: the same pages through the single-page print.
        targets.AtMost("26-page notebook to PDF as leaves, 1-up", "Leaves/26Pages1Up", "seconds", 1.0);
        targets.AtMost("26-page notebook to PDF as leaves, 2-up", "Leaves/26Pages2Up", "seconds", 1.0);
        targets.RatioAtLeast(
            "page-by-page time / leaves time (1-up)", "PageByPage/26Pages", "Leaves/26Pages1Up", "seconds", 0.8);
    });
}
