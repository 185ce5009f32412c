// Runs the core benchmarks and closes with one line per figure that has a
// target: the loader against a plain read of the same file, the reading of a
// ten-minute recording and its peak memory, the dump build, Random PD and
// Import Cycle's finding and fitting, each with its target and whether this
// run met it; then the period finder's accuracy table.
#include "CycleImportBenchmark.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Console output as usual, and the CPU time of every benchmark kept in
// nanoseconds for the summary: CPU time, because the build machines are shared
// and wall time there counts other programs' turns too. With repetitions the
// median stands for the benchmark.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median))
                continue;
            const std::string name = run.run_name.function_name;
            if (median)
                medians_.insert(name);
            else if (medians_.count(name) != 0)
                continue;
            nanoseconds_[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            realNanoseconds_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            for (const auto& [counter, value] : run.counters)
                counters_[name + "/" + counter] = value;
        }
    }

    [[nodiscard]] const double* find(const std::string& name) const { return lookUp(nanoseconds_, name); }
    // Wall time, for the figures that include reading a file.
    [[nodiscard]] const double* findRealTime(const std::string& name) const { return lookUp(realNanoseconds_, name); }
    [[nodiscard]] const double* findCounter(const std::string& name, const std::string& counter) const
    {
        return lookUp(counters_, name + "/" + counter);
    }

private:
    static const double* lookUp(const std::map<std::string, double>& figures, const std::string& name)
    {
        const auto found = figures.find(name);
        return found == figures.end() ? nullptr : &found->second;
    }

    std::map<std::string, double> nanoseconds_;
    std::map<std::string, double> realNanoseconds_;
    std::map<std::string, double> counters_;
    std::set<std::string> medians_;
};

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

void printSummary(const SummaryReporter& results)
{
    std::printf("\nCore figures (CPU time) against their targets:\n");
    const double* load = results.find("BM_LoadLongestFile");
    const double* plain = results.find("BM_PlainReadLongestFile");
    if (load != nullptr && plain != nullptr) {
        const double ratio = *load / *plain;
        std::printf("  load of 131070 data bytes: %.1f us, plain fopen+fread %.1f us, "
                    "ratio %.2fx (target <= 1.5x) %s\n",
                    *load / 1e3, *plain / 1e3, ratio, verdict(ratio <= 1.5));
    }
    const double* recording = results.findRealTime("BM_ReadTenMinuteRecording");
    const double* peak = results.findCounter("BM_ReadTenMinuteRecording", "peak_MB");
    if (recording != nullptr && peak != nullptr)
        std::printf("  ten minutes of 48 kHz stereo 24-bit (173 MB) read and its cycle found: %.0f ms wall (target < 1000 ms) %s, "
                    "peak memory %.0f MB (target <= 200 MB) %s\n",
                    *recording / 1e6, verdict(*recording < 1e9), *peak, verdict(*peak <= 200));
    if (const double* dump = results.find("BM_BuildDump"))
        std::printf("  dump build: %.3f us (target < 1 us) %s\n", *dump / 1e3, verdict(*dump < 1e3));
    if (const double* randomPD = results.find("BM_RandomPD"))
        std::printf("  Random PD: %.3f ms (target < 1 ms) %s\n", *randomPD / 1e6, verdict(*randomPD < 1e6));
    for (const char* name : {"BM_Filter", "BM_Normalize", "BM_Additive", "BM_Clear", "BM_Undo"})
        if (const double* figure = results.find(name))
            std::printf("  %s: %.3f us\n", name + 3, *figure / 1e3);
    // Import's whole budget for ten minutes at 48 kHz is 1 s, reading included.
    if (const double* find = results.find("BM_FindCycleTenMinutes"))
        std::printf("  findCycle, 10 min at 48 kHz: %.1f ms (target < 100 ms) %s\n", *find / 1e6, verdict(*find < 100e6));
    if (const double* find = results.find("BM_FindPeriodTenMinutes"))
        std::printf("  findPeriod, 10 min at 48 kHz: %.1f ms (target < 20 ms) %s\n", *find / 1e6, verdict(*find < 20e6));
    for (const char* length : {"100", "400.91", "2400", "2400.5"}) {
        if (const double* wave = results.find(std::string("BM_CycleToWave/") + length))
            std::printf("  cycleToWave, %s frames: %.2f ms (target < 20 ms) %s\n", length, *wave / 1e6,
                        verdict(*wave < 20e6));
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    printPeriodAccuracy();
    return 0;
}
