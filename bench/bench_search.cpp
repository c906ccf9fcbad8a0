// Whole-document walks over the 100,000-record notebook: the case-insensitive global search and the
// birthday reminder. The anchor scans the same values with QString::contains(..., Qt::CaseInsensitive).

#include "SyntheticNotebook.h"
#include "TBenchTargets.h"

#include "notebook/NotebookEdits.h"
#include "records/SlicedWalk.h"
#include "records/TBirthdayReminder.h"
#include "records/TRecordSearch.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

using namespace quillo;

namespace {

const QString Pattern = QStringLiteral("müller");

TKelPigger& Document()
{
    static const std::unique_ptr<TKelPigger> document = BuildSyntheticNotebook();
    return *document;
}

void PlainWalk(TKelPigger& start, const TNodeVisitor& visit) { NotebookEdits::WalkTree(start, visit); }

void BM_Search(benchmark::State& state)
{
    TKelPigger& document = Document();
    size_t hits = 0;
    for (auto _ : state) {
        const TRecordSearch search(Pattern, false, true);
        hits = search.Run(document, PlainWalk).size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = double(hits);
}

// As the search window runs it: the walk lets the event loop turn every 20 ms.
void BM_SlicedSearch(benchmark::State& state)
{
    TKelPigger& document = Document();
    size_t hits = 0;
    for (auto _ : state) {
        const TRecordSearch search(Pattern, false, true);
        std::vector<TSearchHit> found;
        WalkInSlices(
            document, [&](TKelPigger& node) { search.Visit(node, found); }, 20,
            [] {
                QCoreApplication::processEvents();
                return true;
            });
        hits = found.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = double(hits);
}

void BM_ContainsScan(benchmark::State& state)
{
    TKelPigger& document = Document();
    size_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        PlainWalk(document, [&](TKelPigger& node) {
            if (node.Tag() != "REC")
                return;
            for (int i = 0; i < node.AttrCount(); ++i)
                hits += node.AttrValueView(i).contains(Pattern, Qt::CaseInsensitive);
        });
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = double(hits);
}

void BM_Reminder(benchmark::State& state)
{
    TKelPigger& document = Document();
    TKelPigger* notebook = document.FindChild("NOTEBOOK");
    const QString field = notebook->FindChild("FIELDS")->Child(0)->GetAttr(QStringLiteral("NAME"));
    notebook->SetAttr(QStringLiteral("BDF"), field);
    const TBirthdayReminder reminder(QDate(2026, 3, 10), TBirthdayReminder::DefaultDaysAhead, "dd.MM.yyyy");
    size_t due = 0;
    for (auto _ : state) {
        due = reminder.Run(document, PlainWalk).size();
        benchmark::DoNotOptimize(due);
    }
    notebook->DeleteAttr(QStringLiteral("BDF"));
    state.counters["due"] = double(due);
}

} // namespace

BENCHMARK(BM_Search)->Name("Search/GlobalCaseInsensitive")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlicedSearch)->Name("Search/InSlices")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContainsScan)->Name("Anchor/QStringContainsCaseInsensitive")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reminder)->Name("Reminder/Walk")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.AtMost(
            "global case-insensitive search, 100,000 records", "Search/GlobalCaseInsensitive", "seconds", 0.050);
        targets.AtMost("the same in 20 ms slices (search window)", "Search/InSlices", "seconds", 0.050);
        targets.RatioAtLeast("search speed vs QString::contains scan", "Anchor/QStringContainsCaseInsensitive",
            "Search/GlobalCaseInsensitive", "seconds", 1.0);
        targets.AtMost("birthday reminder walk, 100,000 records", "Reminder/Walk", "seconds", 0.100);
    });
}
