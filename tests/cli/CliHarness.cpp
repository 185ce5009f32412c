#include "CliHarness.h"

#include "transfer/WaveDumpMessage.h"
#include "wave/WaveFileLoader.h"
#include "wave/WaveOperations.h"

#include <sstream>

using namespace hwd;

namespace fs = std::filesystem;

RunResult runWavedump(const std::vector<std::string>& args)
{
    std::vector<std::string> command{WAVEDUMP_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    return Subprocess::run(command);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

fs::path sourceFile(std::string_view relative)
{
    return fs::path(PROJECT_SOURCE) / relative;
}

const std::vector<LibraryOp>& libraryOps()
{
    static const std::vector<LibraryOp> ops{
        {"filter", [](Waveshape& wave, std::uint32_t) { WaveOperations::filter(wave); }},
        {"normalize", [](Waveshape& wave, std::uint32_t) { WaveOperations::normalize(wave); }},
        {"additive", [](Waveshape& wave, std::uint32_t) { WaveOperations::additive(wave); }},
        {"random-pd", [](Waveshape& wave, std::uint32_t seed) { WaveOperations::randomPD(wave, seed); }},
        {"clear", [](Waveshape& wave, std::uint32_t) { WaveOperations::clear(wave); }},
        {"undo", [](Waveshape& wave, std::uint32_t) { WaveOperations::undoLast(wave); }},
    };
    return ops;
}

LibraryWave libraryWave(const fs::path& path, const std::vector<std::string>& ops, std::uint32_t seed)
{
    LibraryWave result;
    result.loaded = WaveFileLoader(result.wave).load(path.c_str());
    result.message = result.wave.lastError;
    if (!result.loaded)
        return result;
    WaveOperations::takeSnapshot(result.wave);
    for (const std::string& name : ops) {
        for (const LibraryOp& op : libraryOps()) {
            if (op.name == name)
                op.apply(result.wave, seed);
        }
    }
    return result;
}

std::string samplesText(const Waveshape& wave)
{
    std::string text;
    for (const std::int16_t sample : wave.samples)
        text += std::to_string(sample) + "\n";
    return text;
}

std::string dumpBytes(const Waveshape& wave, int slot)
{
    const auto message = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(slot - 1));
    return {message.begin(), message.end()};
}
