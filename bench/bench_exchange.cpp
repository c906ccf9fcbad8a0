// Importing and exporting 10,000 contacts as vCard and as CSV, into and out of a notebook of the wizard's
// fields and the English ABC pages (RPP 500, so that full pages overflow too). The anchor splits the same
// vCard bytes into lines and decodes each as UTF-8: what any reader pays before it reads anything.

#include "TBenchTargets.h"

#include "exchange/ContactExport.h"
#include "exchange/ContactImport.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

using namespace quillo;

namespace {

constexpr int Contacts = 10000;

const QByteArray NotebookText
    = "<NOTEBOOKS><NOTEBOOK NAME=\"Contacts\" RPP=\"500\" BDF=\"BIRTHDAY\"><FIELDS><FIELD NAME=\"FIRST_NAME\"/>"
      "<FIELD NAME=\"LAST_NAME\"/><FIELD NAME=\"ADDR\"/><FIELD NAME=\"PHONES\"/>"
      "<FIELD NAME=\"E-MAIL\" FEATURE=\"Field is e-mail address\"/><FIELD NAME=\"BIRTHDAY\" FEATURE=\"Field is date\"/>"
      "<FIELD NAME=\"NOTE\"/></FIELDS><PAGES><PAGE NAME=\"AB\"/><PAGE NAME=\"CD\"/><PAGE NAME=\"EF\"/>"
      "<PAGE NAME=\"GH\"/><PAGE NAME=\"IJ\"/><PAGE NAME=\"KL\"/><PAGE NAME=\"MN\"/><PAGE NAME=\"OP\"/>"
      "<PAGE NAME=\"QRS\"/><PAGE NAME=\"TU\"/><PAGE NAME=\"VW\"/><PAGE NAME=\"XYZ\"/></PAGES></NOTEBOOK></NOTEBOOKS>";

// A phone's export: version 3.0, a name in two forms, two typed phones, a mail address, an address, a
// birthday and a note, some names with accents.
const QByteArray& VCards()
{
    static const QByteArray bytes = [] {
        const char* const families[] = { "Müller", "Adams", "Østergaard", "Nakamura", "Zola", "Ångström", "Quist",
            "Lee", "García", "Ivanova", "Brown", "Kowalski", "Dubois" };
        QByteArray text;
        for (int i = 0; i < Contacts; ++i) {
            const QByteArray family = QByteArray(families[i % 13]) + QByteArray::number(i);
            const QByteArray given = "Person" + QByteArray::number(i % 97);
            text += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + family + ";" + given + ";;;\r\nFN:" + given + " " + family
                + "\r\nTEL;TYPE=CELL:+49 170 " + QByteArray::number(1000000 + i) + "\r\nTEL;TYPE=HOME,VOICE:030 "
                + QByteArray::number(500000 + i) + "\r\nEMAIL;TYPE=INTERNET:person" + QByteArray::number(i)
                + "@example.org\r\nADR;TYPE=HOME:;;Hauptstraße " + QByteArray::number(i % 200) + ";Berlin;;10"
                + QByteArray::number(100 + i % 900) + ";Deutschland\r\nBDAY:19" + QByteArray::number(50 + i % 50) + "-0"
                + QByteArray::number(1 + i % 9) + "-1" + QByteArray::number(i % 9)
                + "\r\nNOTE:met at the conference\\, table " + QByteArray::number(i % 40) + "\r\nEND:VCARD\r\n";
        }
        return text;
    }();
    return bytes;
}

std::unique_ptr<TKelPigger> EmptyNotebook()
{
    auto root = std::make_unique<TKelPigger>();
    root->LoadFromText(NotebookText);
    return root;
}

// The notebook after importing the cards, for the export benchmarks.
TKelPigger& Imported()
{
    static const std::unique_ptr<TKelPigger> root = [] {
        std::unique_ptr<TKelPigger> loaded = EmptyNotebook();
        TKelPigger& notebook = *loaded->FindChild("NOTEBOOK");
        ContactImport::Apply(notebook, ContactImport::ReadVCard(VCards(), notebook, false), {});
        return loaded;
    }();
    return *root->FindChild("NOTEBOOK");
}

const QByteArray& CsvBytes()
{
    static const QByteArray bytes = ContactExport::Csv(Imported()).bytes;
    return bytes;
}

void Import(benchmark::State& state, const QByteArray& bytes, bool csv)
{
    int records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TKelPigger> root = EmptyNotebook();
        TKelPigger& notebook = *root->FindChild("NOTEBOOK");
        state.ResumeTiming();
        const TContactBatch batch
            = csv ? ContactImport::ReadCsv(bytes, notebook, false) : ContactImport::ReadVCard(bytes, notebook, false);
        records = ContactImport::Apply(notebook, batch, {}).records;
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    if (records != Contacts)
        state.SkipWithError("not every contact was imported");
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_ImportVCard(benchmark::State& state) { Import(state, VCards(), false); }
void BM_ImportCsv(benchmark::State& state) { Import(state, CsvBytes(), true); }

void BM_ExportVCard(benchmark::State& state)
{
    TKelPigger& notebook = Imported();
    for (auto _ : state)
        benchmark::DoNotOptimize(ContactExport::VCard(notebook).records);
}

void BM_ExportCsv(benchmark::State& state)
{
    TKelPigger& notebook = Imported();
    for (auto _ : state)
        benchmark::DoNotOptimize(ContactExport::Csv(notebook).records);
}

void BM_SplitAndDecode(benchmark::State& state)
{
    const QByteArray& bytes = VCards();
    for (auto _ : state) {
        qsizetype characters = 0;
        for (const QByteArray& line : bytes.split('\n'))
            characters += QString::fromUtf8(line).size();
        benchmark::DoNotOptimize(characters);
    }
}

} // namespace

BENCHMARK(BM_ImportVCard)->Name("Import/VCard10000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportVCard)->Name("Export/VCard10000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCsv)->Name("Import/Csv10000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->Name("Export/Csv10000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitAndDecode)->Name("Anchor/SplitLinesAndDecodeVCard")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.AtMost("import 10,000 vCards", "Import/VCard10000", "seconds", 0.5);
        targets.AtMost("export 10,000 vCards", "Export/VCard10000", "seconds", 0.5);
        targets.AtMost("import 10,000 CSV rows", "Import/Csv10000", "seconds", 0.5);
        targets.AtMost("export 10,000 CSV rows", "Export/Csv10000", "seconds", 0.5);
    });
}
