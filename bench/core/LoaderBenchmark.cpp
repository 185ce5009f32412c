// Loading the largest WAV file the loader takes (131070 data bytes), measured
// beside a plain fopen + fread + fclose of the same file in the same run, so
// that the summary can give the loader's cost as a ratio to the bare read.
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void appendLe32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A mono 16-bit file with the given number of data bytes, in a directory of
// its own that is removed at exit.
class BenchmarkFile final {
public:
    explicit BenchmarkFile(std::uint32_t dataBytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hwd-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        directory_ = pattern;
        path_ = (directory_ / "wave.wav").string();

        std::vector<std::uint8_t> bytes{'R', 'I', 'F', 'F'};
        appendLe32(bytes, 36 + dataBytes);
        for (const char c : std::string("WAVEfmt "))
            bytes.push_back(static_cast<std::uint8_t>(c));
        const std::uint8_t format[] = {16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0};
        bytes.insert(bytes.end(), std::begin(format), std::end(format));
        for (const char c : std::string("data"))
            bytes.push_back(static_cast<std::uint8_t>(c));
        appendLe32(bytes, dataBytes);
        for (std::uint32_t i = 0; i < dataBytes; ++i)
            bytes.push_back(static_cast<std::uint8_t>(i * 37u));

        std::FILE* stream = std::fopen(path_.c_str(), "wb");
        if (stream == nullptr || std::fwrite(bytes.data(), bytes.size(), 1, stream) != 1 || std::fclose(stream) != 0)
            std::abort();
        size_ = bytes.size();
    }
    ~BenchmarkFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    BenchmarkFile(const BenchmarkFile&) = delete;
    BenchmarkFile& operator=(const BenchmarkFile&) = delete;

    [[nodiscard]] const char* path() const noexcept { return path_.c_str(); }
    [[nodiscard]] std::size_t size() const noexcept { return size_; }

private:
    std::filesystem::path directory_;
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
