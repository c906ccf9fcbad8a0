// The undo history on the 100,000-record notebook: 1,000 cell edits, each one step, must add less than
// 1 MB (a step holds the record's text, never the document). The anchor makes the same edits without a history.

#include "SyntheticNotebook.h"
#include "TBenchTargets.h"

#include "notebook/TEditHistory.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <malloc.h>

#include <random>

using namespace quillo;

namespace {

constexpr int Edits = 1000;

TKelPigger& Document()
{
    static const std::unique_ptr<TKelPigger> document = BuildSyntheticNotebook();
    return *document;
}

// The records edited, spread over every page, the same in every run.
const std::vector<TKelPigger*>& EditedRecords()
{
    static const std::vector<TKelPigger*> records = [] {
        std::vector<TKelPigger*> all;
        TKelPigger* pages = Document().FindChild("NOTEBOOK")->FindChild("PAGES");
        for (int p = 0; p < pages->ChildCount(); ++p)
            for (int r = 0; r < pages->Child(p)->ChildCount(); ++r)
                all.push_back(pages->Child(p)->Child(r));
        std::mt19937 random(16);
        std::vector<TKelPigger*> picked;
        for (int i = 0; i < Edits; ++i)
            picked.push_back(all[std::uniform_int_distribution<size_t>(0, all.size() - 1)(random)]);
        return picked;
    }();
    return records;
}

const QString Field = QStringLiteral("F3");

// Benchmark runs each function more than once: every call writes values the records do not hold yet.
int NextRound()
{
    static int round = 0;
    return ++round;
}

QString Value(int round, int i) { return QStringLiteral("edited %1.%2").arg(round).arg(i); }

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_CellEdits(benchmark::State& state)
{
    const std::vector<TKelPigger*>& records = EditedRecords();
    double heldMB = 0;
    double heapMB = 0;
    for (auto _ : state) {
        const int round = NextRound();
        const size_t heapBefore = HeapInUse();
        TEditHistory history(Document());
        history.SetLimits(Edits, TEditHistory::MaxHeldBytes);
        for (int i = 0; i < Edits; ++i) {
            TEditStep step(&history, QStringLiteral("Edit cell"), *records[size_t(i)]);
            records[size_t(i)]->SetAttr(Field, Value(round, i));
        }
        state.PauseTiming();
        heapMB = double(HeapInUse() - heapBefore) / (1024.0 * 1024.0);
        heldMB = double(history.HeldBytes()) / (1024.0 * 1024.0);
        const bool allSteps = history.Count() == Edits;
        state.ResumeTiming();
        if (!allSteps) {
            state.SkipWithError("an edit made no step");
            break;
        }
    }
    state.counters["held_MB"] = heldMB;
    state.counters["heap_MB"] = heapMB;
}

void BM_UndoRedoAll(benchmark::State& state)
{
    const std::vector<TKelPigger*>& records = EditedRecords();
    TEditHistory history(Document());
    history.SetLimits(Edits, TEditHistory::MaxHeldBytes);
    const int round = NextRound();
    for (int i = 0; i < Edits; ++i) {
        TEditStep step(&history, QStringLiteral("Edit cell"), *records[size_t(i)]);
        records[size_t(i)]->SetAttr(Field, Value(round, i));
    }
    for (auto _ : state) {
        while (history.CanUndo())
            history.Undo();
        while (history.CanRedo())
            history.Redo();
    }
    state.counters["steps"] = history.Count();
}

void BM_PlainCellEdits(benchmark::State& state)
{
    const std::vector<TKelPigger*>& records = EditedRecords();
    for (auto _ : state) {
        const int round = NextRound();
        for (int i = 0; i < Edits; ++i)
            records[size_t(i)]->SetAttr(Field, Value(round, i));
    }
}

} // namespace

BENCHMARK(BM_CellEdits)->Name("Undo/1000CellEdits")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoAll)->Name("Undo/UndoAndRedo1000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCellEdits)->Name("Anchor/1000CellEditsWithoutHistory")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The heap figure measures what the history keeps, not what glibc happens to keep after earlier frees.
    FixHeapThresholds();
    QCoreApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.AtMost("1,000 cell edits: text held by the undo steps, MB", "Undo/1000CellEdits", "held_MB", 1.0);
        targets.AtMost("1,000 cell edits: heap the undo history takes, MB", "Undo/1000CellEdits", "heap_MB", 1.0);
    });
}
