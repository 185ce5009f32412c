// Building the 300-byte dump from a wave whose bytes all carry the top bit
// half of the time.
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <benchmark/benchmark.h>

using namespace hwd;

namespace {

void BM_BuildDump(benchmark::State& state)
{
    Waveshape wave;
    for (std::size_t i = 0; i < wave.samples.size(); ++i)
        wave.samples[i] = static_cast<std::int16_t>(i * 40503u);
    for (auto _ : state) {
        benchmark::DoNotOptimize(wave.samples);
        const auto message = WaveDumpMessage::build(wave, 100);
        benchmark::DoNotOptimize(message.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildDump);

} // namespace
