// Runs a template that lists every record of a 10,000-record page through WHILE and GETCHILDATTRIB,
// as a print of a large page does.
#include "reportgen/TRepGenPig.h"

#include <benchmark/benchmark.h>

using namespace quillo;

namespace {

constexpr int RecordCount = 10000;

const QByteArray Listing = "<QUILLO_TEMPLATE><REPORT><BODY>"
                           "<EXEC>SETVAR('i', 0)</EXEC>"
                           "<WHILE PRECOND=\"GETVAR('i') %3C GETPASSEDPARAM('COUNT')\">"
                           "<BAND HEIGHT=\"5\"><LABEL LEFT=\"0\" WIDTH=\"40\" TEXT=\"=GETCHILDATTRIB(GETVAR('i'), 'PERSON')\"/>"
                           "<LABEL LEFT=\"40\" WIDTH=\"30\" TEXT=\"=GETCHILDATTRIB(GETVAR('i'), 'PHONE')\"/>"
                           "<LABEL LEFT=\"70\" WIDTH=\"50\" TEXT=\"=GETCHILDATTRIB(GETVAR('i'), 'E-MAIL')\"/></BAND>"
                           "<EXEC>INCVAR('i')</EXEC></WHILE>"
                           "</BODY></REPORT></QUILLO_TEMPLATE>";

void BM_ListTenThousandRecords(benchmark::State& state)
{
    TKelPigger page;
    page.SetTag("PAGE");
    for (int i = 0; i < RecordCount; ++i) {
        auto* rec = new TKelPigger(&page);
        rec->SetTag("REC");
        rec->SetAttr(QStringLiteral("PERSON"), QStringLiteral("Zo\u00eb Nummer %1").arg(i));
        rec->SetAttr(QStringLiteral("PHONE"), QStringLiteral("+49 30 %1").arg(100000 + i));
        rec->SetAttr(QStringLiteral("E-MAIL"), QStringLiteral("person%1@example.org").arg(i));
    }
    TKelPigger params;
    params.LoadFromText("<PARAMS><PARAM NAME=\"COUNT\" TYPE=\"INT\" VALUE=\"" + QByteArray::number(RecordCount)
                        + "\"/></PARAMS>");
    TRepGenPig generator;
    generator.Template().LoadFromText(Listing);
    generator.SetDataNode(&page);
    generator.SetPassedParams(&params);
    qsizetype bytes = 0;
    for (auto _ : state) {
        generator.Execute();
        bytes = generator.TakeOutput().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["records"] = RecordCount;
    state.counters["output_MB"] = double(bytes) / 1e6;
}

} // namespace

BENCHMARK(BM_ListTenThousandRecords)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
