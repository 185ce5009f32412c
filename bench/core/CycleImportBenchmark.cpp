// Import Cycle's costs: the period and the cycle found in the longest
// recording taken (ten minutes at 48 kHz), a cycle turned into a wave at
// lengths from 100 to 2400.5 frames, and the period finder's accuracy table.
#include "CycleImportBenchmark.h"

#include "BandLimitedTones.h"
#include "wave/CycleImport.h"
#include "wave/Recording.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace hwd;

namespace {

constexpr std::uint32_t rate = 48000;

// Half a minute of near silence, then a 220 Hz saw that swells and fades over
// the remaining nine and a half minutes, all under white noise 50 dB below
// full level. 220 Hz repeats every 2400 frames at 48 kHz, so one stretch of
// the tone is laid down again and again.
const std::vector<float>& tenMinuteTake()
{
    static const std::vector<float> take = [] {
        const std::vector<float> tile = BandLimitedTones::tone(BandLimitedTones::Shape::saw, rate / 220.0, 2400, 20000.0);
        std::vector<float> frames(maximumRecordingFrames);
        const std::size_t onset = 30 * rate;
        std::uint32_t state = 1;
        for (std::size_t n = 0; n < frames.size(); ++n) {
            state = state * 1664525u + 1013904223u;
            const double noise = 32767.0 * std::pow(10.0, -50.0 / 20.0) * std::sqrt(3.0)
                * (static_cast<double>(state) / 2147483648.0 - 1.0);
            const double swell = n < onset ? 0.0
                : std::sin(3.14159265358979 * static_cast<double>(n - onset) / static_cast<double>(frames.size() - onset));
            frames[n] = static_cast<float>(swell * tile[n % tile.size()] + noise);
        }
        return frames;
    }();
    return take;
}

void BM_FindPeriodTenMinutes(benchmark::State& state)
{
    const std::vector<float>& take = tenMinuteTake();
    for (auto _ : state) {
        const std::optional<double> period = findPeriod(take, rate, take.size() / 2);
        benchmark::DoNotOptimize(period);
    }
}
BENCHMARK(BM_FindPeriodTenMinutes)->Unit(benchmark::kMillisecond);

void BM_FindCycleTenMinutes(benchmark::State& state)
{
    const std::vector<float>& take = tenMinuteTake();
    std::optional<Cycle> cycle;
    for (auto _ : state) {
        cycle = findCycle(take, rate);
        benchmark::DoNotOptimize(cycle);
    }
    if (!cycle || std::abs(cycle->length - rate / 220.0) > 0.01)
        state.SkipWithError("the take's 220 Hz was not found");
}
BENCHMARK(BM_FindCycleTenMinutes)->Unit(benchmark::kMillisecond);

void BM_CycleToWave(benchmark::State& state, double length)
{
    const std::vector<float> frames = BandLimitedTones::tone(BandLimitedTones::Shape::square, length, 10000, 20000.0);
    for (auto _ : state) {
        const SampleArray wave = cycleToWave(frames, {1000, length});
        benchmark::DoNotOptimize(wave);
    }
}
BENCHMARK_CAPTURE(BM_CycleToWave, 100, 100.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CycleToWave, 400.91, 400.91)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CycleToWave, 2400, 2400.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CycleToWave, 2400.5, 2400.5)->Unit(benchmark::kMillisecond);

} // namespace

void printPeriodAccuracy()
{
    std::printf("\nPeriod found in each tone of the test table (2 s, found around 1 s):\n");
    for (const BandLimitedTones::PeriodCase& row : BandLimitedTones::periodCases()) {
        const std::vector<float> frames = BandLimitedTones::toneOf(row);
        const std::optional<double> found = findPeriod(frames, row.rate, row.rate);
        const double error = found ? std::abs(*found - row.rate / row.frequency) : INFINITY;
        std::printf("  %-36s error %.6f frames (target <= %.2f) %s\n", row.name.c_str(), error, row.tolerance,
                    error <= row.tolerance ? "met" : "MISSED");
    }
}
