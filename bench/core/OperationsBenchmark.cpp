// Each Wave Tweaker operation on a full-scale wave. Every iteration starts
// from the same wave (a 256-byte copy, part of the figure), so that repeated
// runs do not drift toward silence or toward a fixed point.
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <benchmark/benchmark.h>

#include <cstdint>

using namespace hwd;

namespace {

SampleArray fullScaleWave()
{
    SampleArray samples{};
    std::uint32_t state = 12345;
    for (auto& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(state >> 16);
    }
    return samples;
}

template <typename Operation>
void runOperation(benchmark::State& state, Operation operation)
{
    const SampleArray start = fullScaleWave();
    Waveshape wave;
    for (auto _ : state) {
        wave.samples = start;
        benchmark::DoNotOptimize(wave.samples);
        operation(wave);
        benchmark::DoNotOptimize(wave.samples);
    }
}

void BM_Filter(benchmark::State& state)
{
    runOperation(state, WaveOperations::filter);
}
BENCHMARK(BM_Filter);

void BM_Normalize(benchmark::State& state)
{
    runOperation(state, WaveOperations::normalize);
}
BENCHMARK(BM_Normalize);

void BM_Additive(benchmark::State& state)
{
    runOperation(state, WaveOperations::additive);
}
BENCHMARK(BM_Additive);

// A new seed each time, as each click brings a new tick count: the phase
// offsets, and with them the size of the largest angles, change.
void BM_RandomPD(benchmark::State& state)
{
    std::uint32_t seed = 0;
    runOperation(state, [&seed](Waveshape& wave) { WaveOperations::randomPD(wave, seed++); });
}
BENCHMARK(BM_RandomPD)->Unit(benchmark::kMicrosecond);

void BM_Clear(benchmark::State& state)
{
    runOperation(state, WaveOperations::clear);
}
BENCHMARK(BM_Clear);

void BM_Undo(benchmark::State& state)
{
    runOperation(state, WaveOperations::undoLast);
}
BENCHMARK(BM_Undo);

} // namespace
