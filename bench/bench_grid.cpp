// The record grid over one page of 10,000 records: filling it, scrolling to the end and sorting by a
// column, each with the heap the grid adds to the tree it shows. The anchor fills a QStandardItemModel with
// copies of the same values.

#include "SyntheticNotebook.h"
#include "TBenchTargets.h"

#include "records/TNotepadModel.h"
#include "records/widgets/TO_notepad.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTableView>

#include <malloc.h>

#include <memory>

using namespace quillo;

namespace {

constexpr int RecordCount = 10000;

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One notebook whose first page holds every record, and an empty second page.
struct GridFixture {
    std::unique_ptr<TKelPigger> document = BuildSyntheticNotebook({ RecordCount, 8, 1 });
    TKelPigger* notebook = document->Child(0);
    TO_notepad notepad;
    QPixmap screen { 900, 600 };

    GridFixture()
    {
        auto* empty = new TKelPigger(notebook->FindChild("PAGES"));
        empty->SetTag("PAGE");
        empty->SetAttr(QStringLiteral("NAME"), QStringLiteral("EMPTY"));
        notepad.resize(screen.size());
        notepad.show();
        notepad.SetNotebook(notebook);
        notepad.OpenNotebook();
    }
    QString FullPage() const { return notebook->FindChild("PAGES")->Child(0)->GetAttr(QStringLiteral("NAME")); }
    TNotepadModel& Model() const { return *static_cast<TNotepadModel*>(notepad.Grid1->model()); }
    // What the user sees: the grid's rows painted once.
    void Show() { notepad.Grid1->viewport()->render(&screen); }
};

void SetMemory(benchmark::State& state, size_t before)
{
    const size_t after = HeapInUse();
    state.counters["added_KB"] = after > before ? double(after - before) / 1e3 : 0.0;
}

void BM_FillPage(benchmark::State& state)
{
    GridFixture grid;
    grid.notepad.SelectPageByName(QStringLiteral("EMPTY"));
    const size_t before = HeapInUse();
    for (auto _ : state) {
        grid.notepad.SelectPageByName(grid.FullPage());
        grid.Show();
        state.PauseTiming();
        grid.notepad.SelectPageByName(QStringLiteral("EMPTY"));
        state.ResumeTiming();
    }
    grid.notepad.SelectPageByName(grid.FullPage());
    grid.Show();
    SetMemory(state, before);
    state.counters["rows"] = grid.Model().rowCount();
}

// Anchor: the same page copied into a QStandardItemModel, as a grid that holds its own values would do.
void BM_FillCopiedModel(benchmark::State& state)
{
    GridFixture grid;
    const TKelPigger* page = grid.notebook->FindChild("PAGES")->Child(0);
    const TKelPigger* fields = grid.notebook->FindChild("FIELDS");
    QTableView view;
    view.resize(grid.screen.size());
    view.show();
    const size_t before = HeapInUse();
    size_t added = 0;
    for (auto _ : state) {
        auto model = std::make_unique<QStandardItemModel>(page->ChildCount(), fields->ChildCount());
        for (int row = 0; row < page->ChildCount(); ++row) {
            for (int column = 0; column < fields->ChildCount(); ++column) {
                const QString name = fields->Child(column)->GetAttr(QStringLiteral("NAME"));
                model->setItem(row, column, new QStandardItem(page->Child(row)->GetAttr(name)));
            }
        }
        view.setModel(model.get());
        view.viewport()->render(&grid.screen);
        added = HeapInUse() - before;
        state.PauseTiming();
        view.setModel(nullptr);
        model.reset();
        state.ResumeTiming();
    }
    state.counters["added_KB"] = double(added) / 1e3;
}

void BM_ScrollToEnd(benchmark::State& state)
{
    GridFixture grid;
    grid.notepad.SelectPageByName(grid.FullPage());
    const size_t before = HeapInUse();
    for (auto _ : state) {
        grid.notepad.Grid1->scrollToBottom();
        grid.Show();
        state.PauseTiming();
        grid.notepad.Grid1->scrollToTop();
        state.ResumeTiming();
    }
    SetMemory(state, before);
}

void BM_SortPage(benchmark::State& state)
{
    GridFixture grid;
    grid.notepad.SelectPageByName(grid.FullPage());
    const size_t before = HeapInUse();
    bool ascending = true;
    for (auto _ : state) {
        grid.Model().SortByColumn(0, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        grid.Show();
        ascending = !ascending;
    }
    SetMemory(state, before);
}

} // namespace

BENCHMARK(BM_FillPage)->Name("Grid/Fill")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillCopiedModel)->Name("Anchor/FillQStandardItemModel")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToEnd)->Name("Grid/ScrollToEnd")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortPage)->Name("Grid/Sort")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    FixHeapThresholds();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.AtMost("fill the grid with 10,000 records", "Grid/Fill", "seconds", 0.020);
        targets.RatioAtLeast(
            "fill speed vs a model holding copies", "Anchor/FillQStandardItemModel", "Grid/Fill", "seconds", 1.0);
        targets.AtMost("scroll to the last of 10,000 records", "Grid/ScrollToEnd", "seconds", 0.020);
        targets.AtMost("sort 10,000 records by a column", "Grid/Sort", "seconds", 0.100);
        // Copied values take megabytes (the anchor); what remains is the view's row bookkeeping, under 40 bytes a row.
        targets.AtMost("heap the grid adds for 10,000 records (KB)", "Grid/Fill", "added_KB", 400);
    });
}
