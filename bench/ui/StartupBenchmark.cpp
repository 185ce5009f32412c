// Start-up to the first painted main dialog, and resident memory after a load,
// against a minimal Qt dialog program started the same way in the same run.
// Each child runs offscreen and reports its stages on its standard output (see
// ProbeReport.h); the time is taken here, from the spawn to the "painted" line.
// The ratio benchmark alternates the two programs and reports harlix/baseline.

#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "Subprocess.h"
#include "WavBytes.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Run {
    double secondsToPaint = 0;
    long paintedKilobytes = 0;
    long loadedKilobytes = 0;   // 0 when the program loads nothing
    bool ok = false;
};

const std::string& wavFile()
{
    static const ScratchDirectory folder;
    static const std::string path =
        folder.write("startup.wav", WavBytes::monoWav(SampleRuns::cycle(4410))).string();
    return path;
}

Run runChild(const char* program, const std::vector<std::string>& arguments)
{
    Run run;
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Subprocess::Options options;
    const auto start = std::chrono::steady_clock::now();
    options.onOutputLine = [&run, start](std::string_view line) {
        const std::string text(line);
        if (text.starts_with("painted ")) {
            run.secondsToPaint = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            run.paintedKilobytes = std::strtol(text.c_str() + 8, nullptr, 10);
        } else if (text.starts_with("loaded ")) {
            run.loadedKilobytes = std::strtol(text.c_str() + 7, nullptr, 10);
        }
    };
    const Subprocess::Result result = Subprocess::run(command, options);
    run.ok = result.exitCode == 0 && run.secondsToPaint > 0;
    return run;
}

Run runHarlix()
{
    return runChild(HWD_STARTUP_PROBE, {wavFile()});
}

Run runBaseline()
{
    return runChild(HWD_BASELINE_DIALOG, {});
}

void offscreen()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

void BM_StartupToFirstPaint_HarlixWaveDump(benchmark::State& state)
{
    offscreen();
    double kilobytes = 0;
    for (auto _ : state) {
        const Run run = runHarlix();
        if (!run.ok) {
            state.SkipWithError("the probe did not start");
            return;
        }
        state.SetIterationTime(run.secondsToPaint);
        kilobytes += static_cast<double>(run.loadedKilobytes);
    }
    state.counters["rss_after_load_kB"] = benchmark::Counter(kilobytes, benchmark::Counter::kAvgIterations);
}

void BM_StartupToFirstPaint_MinimalQtDialog(benchmark::State& state)
{
    offscreen();
    double kilobytes = 0;
    for (auto _ : state) {
        const Run run = runBaseline();
        if (!run.ok) {
            state.SkipWithError("the baseline did not start");
            return;
        }
        state.SetIterationTime(run.secondsToPaint);
        kilobytes += static_cast<double>(run.paintedKilobytes);
    }
    state.counters["rss_kB"] = benchmark::Counter(kilobytes, benchmark::Counter::kAvgIterations);
}

// Target: both ratios at most 1.3.
void BM_StartupAgainstMinimalQtDialog(benchmark::State& state)
{
    offscreen();
    double harlixSeconds = 0;
    double baselineSeconds = 0;
    double harlixKilobytes = 0;
    double baselineKilobytes = 0;
    for (auto _ : state) {
        const Run baseline = runBaseline();
        const Run harlix = runHarlix();
        if (!baseline.ok || !harlix.ok) {
            state.SkipWithError("a child did not start");
            return;
        }
        state.SetIterationTime(harlix.secondsToPaint);
        harlixSeconds += harlix.secondsToPaint;
        baselineSeconds += baseline.secondsToPaint;
        harlixKilobytes += static_cast<double>(harlix.loadedKilobytes);
        baselineKilobytes += static_cast<double>(baseline.paintedKilobytes);
    }
    state.counters["time_ratio"] = harlixSeconds / baselineSeconds;
    state.counters["rss_ratio"] = harlixKilobytes / baselineKilobytes;
}

} // namespace

BENCHMARK(BM_StartupToFirstPaint_HarlixWaveDump)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstPaint_MinimalQtDialog)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupAgainstMinimalQtDialog)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
