// Evaluations per second of a typical template expression, each time parsed from its text, beside
// muparser parsing and evaluating an arithmetic expression of the same shape each time.
#include "reportgen/TKelReportGenerator.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

using namespace quillo;

namespace {

void BM_QuilloEvaluate(benchmark::State& state)
{
    TKelReportGenerator generator;
    generator.SetVar("n", TExpr::FromInt(7));
    const QByteArray text = "GETVAR('n') * 2 + 1 > 10";
    for (auto _ : state)
        benchmark::DoNotOptimize(generator.Evaluate(text).Bool);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QuilloEvaluate);

void BM_MuparserParseAndEvaluate(benchmark::State& state)
{
    mu::Parser parser;
    double n = 7;
    parser.DefineVar("n", &n);
    const mu::string_type text = "n * 2 + 1 > 10";
    for (auto _ : state) {
        // Setting the text again throws away the compiled form, so every pass parses.
        parser.SetExpr(text);
        benchmark::DoNotOptimize(parser.Eval());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MuparserParseAndEvaluate);

// A longer snippet of the kind print templates hold: a choice, a conversion and a concatenation.
void BM_QuilloEvaluateTemplateSnippet(benchmark::State& state)
{
    TKelReportGenerator generator;
    generator.SetVar("n", TExpr::FromInt(7));
    const QByteArray text = "IIF(GETVAR('n') > 3, 'Page ' + STRING(GETVAR('n') + 1), SUBSTR('none', 1, 2))";
    for (auto _ : state)
        benchmark::DoNotOptimize(generator.Evaluate(text).Str.size());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QuilloEvaluateTemplateSnippet);

} // namespace

BENCHMARK_MAIN();
