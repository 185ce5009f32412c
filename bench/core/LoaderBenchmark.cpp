// Loading the largest WAV file the loader takes (131070 data bytes), measured
// beside a plain fopen + fread + fclose of the same file in the same run, so
// that the summary can give the loader's cost as a ratio to the bare read.
#include "ScratchDirectory.h"
#include "WavBytes.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// A mono 16-bit file with the given number of data bytes, in a directory of
// its own that is removed at exit.
class BenchmarkFile final {
public:
    explicit BenchmarkFile(std::uint32_t dataBytes)
        : path_(directory_.write("wave.wav", WavBytes::monoWav(WavBytes::indexedSampleBytes(dataBytes))).string()),
          size_(std::filesystem::file_size(path_))
    {
    }

    [[nodiscard]] const char* path() const noexcept { return path_.c_str(); }
    [[nodiscard]] std::size_t size() const noexcept { return size_; }

private:
    ScratchDirectory directory_;
    std::string path_;
    std::size_t size_ = 0;
};

const BenchmarkFile& longestFile()
{
    static const BenchmarkFile file(131070);
    return file;
}

const BenchmarkFile& verbatimFile()
{
    static const BenchmarkFile file(256);
    return file;
}

void loadFile(benchmark::State& state, const BenchmarkFile& file)
{
    Waveshape wave;
    WaveFileLoader loader(wave);
    for (auto _ : state) {
        const bool loaded = loader.load(file.path());
        benchmark::DoNotOptimize(loaded);
        benchmark::DoNotOptimize(wave.samples);
    }
    if (!wave.loaded)
        state.SkipWithError(wave.lastError);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_LoadLongestFile(benchmark::State& state)
{
    loadFile(state, longestFile());
}
BENCHMARK(BM_LoadLongestFile);

// The floor that any loader of this file stands on: open, read it all, close.
void BM_PlainReadLongestFile(benchmark::State& state)
{
    const BenchmarkFile& file = longestFile();
    static std::vector<std::uint8_t> buffer(file.size());
    for (auto _ : state) {
        std::FILE* stream = std::fopen(file.path(), "rb");
        const std::size_t read = std::fread(buffer.data(), file.size(), 1, stream);
        std::fclose(stream);
        benchmark::DoNotOptimize(read);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_PlainReadLongestFile);

void BM_Load256ByteFile(benchmark::State& state)
{
    loadFile(state, verbatimFile());
}
BENCHMARK(BM_Load256ByteFile);

} // namespace
