// Importing the longest recording that import takes, in a common large form:
// ten minutes at 48 kHz, stereo, 24-bit, 172.8 MB of samples, a note of 110 Hz
// with its harmonics, read and its cycle found. The file is written once, in
// blocks, to a folder of its own that is removed at exit, so that making it
// costs the process no memory; the peak resident memory that getrusage
// reports after the imports is then the reader's (115 MB of frames) over what
// the benchmark program holds anyway.
#include "ScratchDirectory.h"
#include "WavBytes.h"
#include "wave/CycleImport.h"
#include "wave/Recording.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace hwd;

namespace {

class LongRecordingFile final {
public:
    static constexpr std::uint32_t rate = 48000;
    static constexpr std::uint16_t channels = 2;
    static constexpr std::uint16_t sampleBytes = 3;
    static constexpr std::uint64_t dataBytes = maximumRecordingFrames * channels * sampleBytes;

    LongRecordingFile() : path_(directory_.file("ten-minutes.wav").string())
    {
        using namespace WavBytes;
        const std::uint32_t frameBytes = channels * sampleBytes;
        const Bytes header = join({riffHeader("RIFF", "WAVE", static_cast<std::uint32_t>(36 + dataBytes)),
                                   chunk("fmt ", join({le16(1), le16(channels), le32(rate), le32(rate * frameBytes),
                                                       le16(frameBytes), le16(8 * sampleBytes)})),
                                   text("data"), le32(static_cast<std::uint32_t>(dataBytes))});
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr)
            throw std::runtime_error("cannot write " + path_);
        std::fwrite(header.data(), 1, header.size(), file);
        // One second of the note, 110 whole cycles, both channels alike.
        std::vector<unsigned char> block;
        for (std::uint32_t n = 0; n < rate; ++n) {
            const double phase = 2.0 * 3.141592653589793 * 110.0 * n / rate;
            const auto value = static_cast<std::int32_t>(
                4000000.0 * (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase)));
            for (int channel = 0; channel < channels; ++channel) {
                for (int byte = 0; byte < sampleBytes; ++byte)
                    block.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * byte)));
            }
        }
        for (std::uint64_t written = 0; written < dataBytes; written += block.size())
            std::fwrite(block.data(), 1, static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), dataBytes - written)), file);
        if (std::fclose(file) != 0)
            throw std::runtime_error("cannot write " + path_);
    }

    [[nodiscard]] const std::string& path() const noexcept { return path_; }

private:
    ScratchDirectory directory_;
    std::string path_;
};

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void BM_ReadTenMinuteRecording(benchmark::State& state)
{
    static const LongRecordingFile file;
    for (auto _ : state) {
        const RecordingRead read = readRecording(file.path());
        if (!read.recording || read.recording->frames.size() != maximumRecordingFrames) {
            state.SkipWithError(read.error.empty() ? "the recording was not read whole" : read.error.c_str());
            return;
        }
        // What Import does before its window opens.
        const std::optional<CycleChoice> cycle = defaultCycle(*read.recording);
        if (!cycle || std::abs(cycle->cycle.length - 48000.0 / 110.0) > 0.01) {
            state.SkipWithError("the note's cycle was not found");
            return;
        }
        benchmark::DoNotOptimize(read.recording->frames.data());
    }
    state.counters["peak_MB"] = peakResidentMegabytes();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LongRecordingFile::dataBytes));
}
BENCHMARK(BM_ReadTenMinuteRecording)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
