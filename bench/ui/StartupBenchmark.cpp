// Start-up to the first painted main dialog, and resident memory after a load,
// against a minimal Qt dialog program started the same way in the same run.
// Each child runs offscreen and reports its stages on its standard output (see
// ProbeReport.h); the time is taken here, from the spawn to the "painted" line.
// The ratio benchmark alternates the two programs and reports harlix/baseline.

#include "../../tests/ui/qt/WavFixture.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double secondsToPaint = 0;
    long paintedKilobytes = 0;
    long loadedKilobytes = 0;   // 0 when the program loads nothing
    bool ok = false;
};

const std::string& wavFile()
{
    static QTemporaryDir folder;
    static const std::string path = [] {
        const QString file = folder.filePath(QStringLiteral("startup.wav"));
        WavFixture::write(file, WavFixture::cycle(4410));
        return file.toStdString();
    }();
    return path;
}

Run runChild(const char* program, const std::vector<std::string>& arguments)
{
    Run run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return run;
    }

    std::FILE* output = fdopen(pipeEnds[0], "r");
    char line[128];
    while (std::fgets(line, sizeof line, output) != nullptr) {
        const std::string text(line);
        if (text.rfind("painted ", 0) == 0) {
            run.secondsToPaint = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            run.paintedKilobytes = std::strtol(line + 8, nullptr, 10);
        } else if (text.rfind("loaded ", 0) == 0) {
            run.loadedKilobytes = std::strtol(line + 7, nullptr, 10);
        }
    }
    std::fclose(output);
    int status = 0;
    waitpid(child, &status, 0);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.secondsToPaint > 0;
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
