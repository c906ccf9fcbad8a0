#include "TBenchTargets.h"

#include <cstdio>
#include <malloc.h>

namespace quillo {

namespace {

std::string Format(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, value < 10 ? "%.3g" : "%.1f", value);
    return buffer;
}

} // namespace

void TBenchTargets::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions, the median stands for the benchmark (it comes after the single runs).
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median) || run.iterations == 0)
            continue;
        auto& values = m_values[run.run_name.function_name];
        for (const auto& [name, counter] : run.counters)
            values[name] = counter.value;
        values["seconds"] = run.cpu_accumulated_time / double(run.iterations);
    }
}

const double* TBenchTargets::Value(const std::string& benchmark, const std::string& counter) const
{
    const auto values = m_values.find(benchmark);
    if (values == m_values.end())
        return nullptr;
    const auto value = values->second.find(counter);
    return value == values->second.end() ? nullptr : &value->second;
}

void TBenchTargets::AddBound(
    const std::string& what, const std::string& benchmark, const std::string& counter, double bound, bool lower)
{
    const std::string target = (lower ? ">= " : "<= ") + Format(bound) + " " + counter;
    const double* value = Value(benchmark, counter);
    if (!value) {
        m_lines.push_back({ what, "-", target, Line::NotRun });
        return;
    }
    const bool met = lower ? *value >= bound : *value <= bound;
    m_lines.push_back({ what, Format(*value) + " " + counter, target, met ? Line::Met : Line::Missed });
}

void TBenchTargets::AtLeast(
    const std::string& what, const std::string& benchmark, const std::string& counter, double minimum)
{
    AddBound(what, benchmark, counter, minimum, true);
}

void TBenchTargets::AtMost(
    const std::string& what, const std::string& benchmark, const std::string& counter, double maximum)
{
    AddBound(what, benchmark, counter, maximum, false);
}

void TBenchTargets::RatioAtLeast(const std::string& what, const std::string& benchmark, const std::string& anchor,
    const std::string& counter, double minimum)
{
    const std::string target = ">= " + Format(minimum) + "x " + anchor;
    const double* value = Value(benchmark, counter);
    const double* anchorValue = Value(anchor, counter);
    if (!value || !anchorValue || *anchorValue == 0) {
        m_lines.push_back({ what, "-", target, Line::NotRun });
        return;
    }
    const double ratio = *value / *anchorValue;
    const std::string figure
        = Format(*value) + " vs " + Format(*anchorValue) + " " + counter + " = " + Format(ratio) + "x";
    m_lines.push_back({ what, figure, target, ratio >= minimum ? Line::Met : Line::Missed });
}

bool TBenchTargets::PrintSummary() const
{
    bool allMet = true;
    std::printf("\n%-34s %-44s %-26s %s\n", "Target", "Measured", "Goal", "");
    for (const Line& line : m_lines) {
        const char* state = line.state == Line::Met ? "ok" : line.state == Line::Missed ? "MISSED" : "not run";
        std::printf("%-34s %-44s %-26s %s\n", line.what.c_str(), line.figure.c_str(), line.target.c_str(), state);
        allMet = allMet && line.state != Line::Missed;
    }
    return allMet;
}

int RunBenchTargets(int argc, char** argv, const std::function<void(TBenchTargets&)>& addTargets)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TBenchTargets targets;
    benchmark::RunSpecifiedBenchmarks(&targets);
    addTargets(targets);
    const bool met = targets.PrintSummary();
    benchmark::Shutdown();
    return met ? 0 : 1;
}

void FixHeapThresholds()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

} // namespace quillo
