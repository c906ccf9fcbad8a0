// Opening and saving a notebook file of 100,000 records through the document session, as the
// Open and Save commands do (Save copies the old file to ".BAK" and replaces the file atomically),
// beside pugixml loading and saving the same file.
#include "SyntheticNotebook.h"
#include "TBenchTargets.h"
#include "notebook/IPrompts.h"
#include "notebook/TNotebookSession.h"
#include "notebook/TUserSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

using namespace quillo;

namespace {

// Nothing is asked while opening and saving a valid file; any question would be a failure.
class TSilentPrompts : public IPrompts, public IFileDialogs {
public:
    bool Sure(const QString&) override { return false; }
    TAnswer SureOrCancel(const QString&, bool) override { return TAnswer::No; }
    bool SureChecked(const QString&) override { return false; }
    void Msg(const QString& message) override { Complain(message); }
    void ShowMessage(const QString& message) override { Complain(message); }
    bool InputQuery(const QString&, const QString&, QString&) override { return false; }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }

private:
    static void Complain(const QString& message) { qFatal("unexpected message: %s", qPrintable(message)); }
};

struct TSessionFixture {
    TSessionFixture()
        : settings(folder.filePath(QStringLiteral("bench.SET")))
        , session(settings, prompts, prompts)
    {
        path = folder.filePath(QStringLiteral("notebook.zdk"));
        text = SyntheticNotebookText();
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }

    QTemporaryDir folder;
    TSilentPrompts prompts;
    TUserSettings settings;
    TNotebookSession session;
    QString path;
    QByteArray text;
};

TSessionFixture& Fixture()
{
    static TSessionFixture fixture;
    return fixture;
}

// Throughput in MB/s (10^6 bytes) of the file, the yardstick both sides share.
void SetBytes(benchmark::State& state, qsizetype bytes)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["MB/s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SessionLoadFile(benchmark::State& state)
{
    TSessionFixture& f = Fixture();
    for (auto _ : state) {
        f.session.SetFileName(f.path);
        if (!f.session.LoadFile())
            state.SkipWithError("the file did not load");
    }
    SetBytes(state, f.text.size());
}

void BM_SessionSave(benchmark::State& state)
{
    TSessionFixture& f = Fixture();
    f.session.SetFileName(f.path);
    f.session.LoadFile();
    for (auto _ : state) {
        f.session.SetChanged(true);
        if (!f.session.Save())
            state.SkipWithError("the save failed");
    }
    SetBytes(state, f.text.size());
}

void BM_PugixmlLoadFile(benchmark::State& state)
{
    TSessionFixture& f = Fixture();
    const QByteArray path = f.path.toLocal8Bit();
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_file(path.constData()));
    }
    SetBytes(state, f.text.size());
}

void BM_PugixmlSaveFile(benchmark::State& state)
{
    TSessionFixture& f = Fixture();
    pugi::xml_document document;
    document.load_file(f.path.toLocal8Bit().constData());
    const QByteArray copy = f.folder.filePath(QStringLiteral("pugixml.xml")).toLocal8Bit();
    for (auto _ : state)
        benchmark::DoNotOptimize(document.save_file(copy.constData()));
    SetBytes(state, f.text.size());
}

} // namespace

// Open replaces a loaded document, as it does in the window: the previous tree is destroyed too.
BENCHMARK(BM_SessionLoadFile)->Name("Session/Open")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlLoadFile)->Name("Pugixml/LoadFile")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionSave)->Name("Session/Save")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlSaveFile)->Name("Pugixml/SaveFile")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.RatioAtLeast("open speed vs pugixml load_file", "Session/Open", "Pugixml/LoadFile", "MB/s", 0.5);
    });
}
