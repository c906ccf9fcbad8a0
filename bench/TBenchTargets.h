#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillo {

// Console reporter that also keeps each benchmark's figures, so that a benchmark program can
// close with a table of its targets (met or missed) and the comparison figures of the same run.
class TBenchTargets : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // value(benchmark, counter) >= minimum. The counter "seconds" is the CPU time of one iteration
    // (the machine is shared, so wall time says more about the neighbours than about the code).
    void AtLeast(const std::string& what, const std::string& benchmark, const std::string& counter, double minimum);
    void AtMost(const std::string& what, const std::string& benchmark, const std::string& counter, double maximum);
    // value(benchmark, counter) / value(anchor, counter) >= minimum.
    void RatioAtLeast(const std::string& what, const std::string& benchmark, const std::string& anchor,
        const std::string& counter, double minimum);

    // Prints the table; false when a target that ran was missed.
    bool PrintSummary() const;

private:
    struct Line {
        std::string what;
        std::string figure;
        std::string target;
        enum { Met, Missed, NotRun } state;
    };

    const double* Value(const std::string& benchmark, const std::string& counter) const;
    void AddBound(
        const std::string& what, const std::string& benchmark, const std::string& counter, double bound, bool lower);

    std::map<std::string, std::map<std::string, double>> m_values;
    std::vector<Line> m_lines;
};

// The main of a bench program: runs the benchmarks the arguments select, then adds the targets and prints
// their table. The exit code: 0 when every target that ran was met, 1 otherwise or for unknown arguments.
int RunBenchTargets(int argc, char** argv, const std::function<void(TBenchTargets&)>& addTargets);

// Fixed allocator thresholds: glibc otherwise adapts them to earlier frees, so that a figure would depend
// on which benchmark ran before it. Every benchmark then works on a warm heap.
void FixHeapThresholds();

} // namespace quillo
