#include "WaveSource.h"

#include "Arguments.h"
#include "DumpFile.h"
#include "PathArgument.h"
#include "transfer/WaveDumpMessage.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <cstdio>

namespace hwd {

const char* loadAndEdit(Waveshape& wave, std::string_view file, std::span<const WaveOp> ops,
    std::optional<std::uint32_t> seed)
{
    if (!WaveFileLoader(wave).load(pathOfArgument(file)))
        return wave.lastError;
    beginEditing(wave);
    applyWaveOps(wave, ops, seed);
    return nullptr;
}

int loadWaveOrDump(std::string_view command, Waveshape& wave, const std::string& file, std::span<const WaveOp> ops,
    std::optional<std::uint32_t> seed)
{
    if (!namesDumpFile(file)) {
        const char* error = loadAndEdit(wave, file, ops, seed);
        return error ? loadFailure(error) : 0;
    }
    const OneDump read = readOneDump(file);
    if (!read.dump) {
        std::fprintf(stderr, "wavedump %.*s: %s\n", static_cast<int>(command.size()), command.data(),
            read.problem.c_str());
        return 1;
    }
    // A dump holds the 128 samples as they were sent: nothing to reduce.
    wave.samples = read.dump->samples;
    wave.loaded = true;
    wave.resampled = false;
    wave.lastError = "";
    beginEditing(wave);
    applyWaveOps(wave, ops, seed);
    return 0;
}

int loadFailure(const char* message, const char* file)
{
    if (file != nullptr)
        std::fprintf(stderr, "%s: %s\n", file, message);
    else
        std::fprintf(stderr, "%s\n", message);
    return 1;
}

std::optional<int> slotRangeProblem(std::string_view command, int firstSlot, std::size_t fileCount)
{
    if (firstSlot + static_cast<int>(fileCount) - 1 <= WaveDumpMessage::lastUserSlot)
        return std::nullopt;
    return usageError(command, std::to_string(fileCount) + " files from slot " + std::to_string(firstSlot)
            + " would pass slot 128");
}

std::optional<std::vector<SlotWave>> loadForSlots(std::span<const std::string> files, int firstSlot,
    std::span<const WaveOp> ops, std::optional<std::uint32_t> seed)
{
    const bool several = files.size() > 1;
    Waveshape& wave = currentWaveshape();
    std::vector<SlotWave> waves;
    bool allLoaded = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const char* error = loadAndEdit(wave, files[i], ops, seed)) {
            loadFailure(error, several ? files[i].c_str() : nullptr);
            allLoaded = false;
            continue;
        }
        waves.push_back(SlotWave{firstSlot + static_cast<int>(i), wave.samples});
    }
    if (!allLoaded)
        return std::nullopt;
    return waves;
}

} // namespace hwd
