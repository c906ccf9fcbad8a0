// Reading and writing the document text format, side by side with pugixml's DOM on the same bytes.

#include "SyntheticNotebook.h"
#include "TBenchTargets.h"

#include "tree/EKelPiggerError.h"
#include "tree/TKelPigger.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <malloc.h>

#include <memory>
#include <string>

using namespace quillo;

namespace {

const QByteArray& NotebookText()
{
    static const QByteArray text = SyntheticNotebookText();
    return text;
}

// Bytes held by live heap blocks, headers included; Qt's containers allocate with malloc.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Throughput in MB/s (10^6 bytes) of the document, so that both sides share one yardstick.
void SetThroughput(benchmark::State& state, qsizetype documentBytes)
{
    state.SetBytesProcessed(state.iterations() * documentBytes);
    state.counters["MB/s"]
        = benchmark::Counter(double(documentBytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void SetMemory(benchmark::State& state, size_t used, qsizetype documentBytes)
{
    state.counters["memory_MB"] = double(used) / 1e6;
    state.counters["x_file"] = double(used) / double(documentBytes);
}

int CountElements(const TKelPigger& node)
{
    int count = 1;
    for (int i = 0; i < node.ChildCount(); ++i)
        count += CountElements(*node.Child(i));
    return count;
}

int CountElements(const pugi::xml_node& node)
{
    int count = 1;
    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_element)
            count += CountElements(child);
    return count;
}

bool LoadPugi(pugi::xml_document& doc, const QByteArray& text)
{
    return doc.load_buffer(text.constData(), size_t(text.size()), pugi::parse_default, pugi::encoding_utf8);
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

// Loading whole notebook files.

void Tree_Load(benchmark::State& state)
{
    const QByteArray& text = NotebookText();
    {
        const size_t before = HeapInUse();
        auto root = std::make_unique<TKelPigger>();
        root->LoadFromText(text);
        SetMemory(state, HeapInUse() - before, text.size());
        state.counters["elements"] = CountElements(*root);
    }
    for (auto _ : state) {
        auto root = std::make_unique<TKelPigger>();
        root->LoadFromText(text);
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, text.size());
}
BENCHMARK(Tree_Load)->Name("Tree/Load")->Unit(benchmark::kMillisecond);

void Pugixml_Parse(benchmark::State& state)
{
    const QByteArray& text = NotebookText();
    {
        const size_t before = HeapInUse();
        auto doc = std::make_unique<pugi::xml_document>();
        if (!LoadPugi(*doc, text)) {
            state.SkipWithError("pugixml cannot parse the notebook");
            return;
        }
        SetMemory(state, HeapInUse() - before, text.size());
        state.counters["elements"] = CountElements(doc->document_element());
    }
    for (auto _ : state) {
        auto doc = std::make_unique<pugi::xml_document>();
        LoadPugi(*doc, text);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, text.size());
}
BENCHMARK(Pugixml_Parse)->Name("Pugixml/Parse")->Unit(benchmark::kMillisecond);

// Saving the loaded notebook.

void Tree_Save(benchmark::State& state)
{
    const QByteArray& text = NotebookText();
    TKelPigger root;
    root.LoadFromText(text);
    if (root.SaveToText() != text) {
        state.SkipWithError("the notebook does not write back to the bytes it was read from");
        return;
    }
    for (auto _ : state) {
        QByteArray out = root.SaveToText();
        benchmark::DoNotOptimize(out.data());
    }
    SetThroughput(state, text.size());
}
BENCHMARK(Tree_Save)->Name("Tree/Save")->Unit(benchmark::kMillisecond);

void Pugixml_Save(benchmark::State& state)
{
    const QByteArray& text = NotebookText();
    pugi::xml_document doc;
    if (!LoadPugi(doc, text)) {
        state.SkipWithError("pugixml cannot parse the notebook");
        return;
    }
    for (auto _ : state) {
        StringWriter writer;
        doc.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
        benchmark::DoNotOptimize(writer.out.data());
    }
    SetThroughput(state, text.size());
}
BENCHMARK(Pugixml_Save)->Name("Pugixml/Save")->Unit(benchmark::kMillisecond);

// Pathological but valid documents: each must stay linear.

QByteArray ManyAttributesText()
{
    QByteArray text = "\r\n<A";
    for (int i = 0; i < 100000; ++i)
        text += " N" + QByteArray::number(i) + "=\"v" + QByteArray::number(i % 97) + '"';
    return text + "/>";
}

QByteArray HugeValueText()
{
    const QByteArray chunk = "Lorem ipsum %22dolor%22 sit am\xC3\xA9t, 50%25 <>\r\n";
    QByteArray value;
    while (value.size() < 10'000'000)
        value += chunk;
    return "\r\n<A V=\"" + value + "\"/>";
}

QByteArray ManySiblingsText()
{
    QByteArray text = "\r\n<R>";
    for (int i = 0; i < 100000; ++i)
        text += "\r\n\t<C N=\"" + QByteArray::number(i) + "\"/>";
    return text + "\r\n</R>";
}

void LoadPathological(benchmark::State& state, const QByteArray& text)
{
    for (auto _ : state) {
        auto root = std::make_unique<TKelPigger>();
        root->LoadFromText(text);
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, text.size());
}

void Tree_LoadManyAttributes(benchmark::State& state)
{
    static const QByteArray text = ManyAttributesText();
    LoadPathological(state, text);
}
BENCHMARK(Tree_LoadManyAttributes)->Name("Tree/LoadManyAttributes")->Unit(benchmark::kMillisecond);

void Tree_LoadHugeValue(benchmark::State& state)
{
    static const QByteArray text = HugeValueText();
    LoadPathological(state, text);
}
BENCHMARK(Tree_LoadHugeValue)->Name("Tree/LoadHugeValue")->Unit(benchmark::kMillisecond);

void Tree_LoadManySiblings(benchmark::State& state)
{
    static const QByteArray text = ManySiblingsText();
    LoadPathological(state, text);
}
BENCHMARK(Tree_LoadManySiblings)->Name("Tree/LoadManySiblings")->Unit(benchmark::kMillisecond);

// 20 MB of attribute names made of a letter whose upper case is two letters (ß, SS).
void Tree_LoadGrowingNames(benchmark::State& state)
{
    static const QByteArray text = "\r\n<A " + QByteArray("\xc3\x9f").repeated(5'000'000) + "=\"1\" "
        + QByteArray("\xc3\x9f").repeated(5'000'000) + "x=\"2\"/>";
    LoadPathological(state, text);
}
BENCHMARK(Tree_LoadGrowingNames)->Name("Tree/LoadGrowingNames")->Unit(benchmark::kMillisecond);

void Tree_RefuseDeepNesting(benchmark::State& state)
{
    static const QByteArray text = QByteArray("<A>").repeated(1'000'000);
    for (auto _ : state) {
        TKelPigger root;
        try {
            root.LoadFromText(text);
            state.SkipWithError("a million nested elements were accepted");
            return;
        } catch (const EKelPiggerError&) {
        }
    }
    SetThroughput(state, text.size());
}
BENCHMARK(Tree_RefuseDeepNesting)->Name("Tree/RefuseDeepNesting")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    FixHeapThresholds();
    std::printf("Synthetic notebook: %.1f MB\n", double(NotebookText().size()) / 1e6);
    return RunBenchTargets(argc, argv, [](TBenchTargets& targets) {
        targets.RatioAtLeast("load speed vs pugixml", "Tree/Load", "Pugixml/Parse", "MB/s", 0.5);
        targets.AtLeast("load speed", "Tree/Load", "MB/s", 150);
        targets.RatioAtLeast("save speed vs pugixml", "Tree/Save", "Pugixml/Save", "MB/s", 1.0);
        targets.AtMost("tree memory / file size", "Tree/Load", "x_file", 4.0);
        targets.AtMost("100,000 attributes on one element", "Tree/LoadManyAttributes", "seconds", 0.25);
        targets.AtMost("10 MB attribute value", "Tree/LoadHugeValue", "seconds", 0.25);
        targets.AtMost("100,000 sibling elements", "Tree/LoadManySiblings", "seconds", 0.25);
        targets.AtMost("20 MB of names of letters that grow", "Tree/LoadGrowingNames", "seconds", 0.5);
        targets.AtMost("1,000,000 nested elements refused", "Tree/RefuseDeepNesting", "seconds", 0.25);
    });
}
