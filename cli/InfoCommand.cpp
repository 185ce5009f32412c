#include "Arguments.h"
#include "Commands.h"
#include "DumpFile.h"
#include "OutputFile.h"
#include "PathArgument.h"
#include "WavFacts.h"
#include "WaveSource.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>

namespace hwd {

namespace {

constexpr const char* usage =
    "usage: wavedump info FILE\n"
    "\n"
    "Describes FILE as its headers describe it (format, channels, sample rate,\n"
    "bits, chunks, data bytes, sample count) as the desktop program's loader\n"
    "walks it, and says on one line whether the load reduced a longer run to\n"
    "128 samples: 'resampled: yes' or 'resampled: no'. The chunks are listed as\n"
    "the loader found them, up to the data it takes: 'chunk walk: declared\n"
    "sizes' when they follow one another at their declared sizes, 'chunk walk:\n"
    "pad bytes' when they were found only with a pad byte after each odd-sized\n"
    "chunk. A file that does not load is described as far as the loader read\n"
    "it, and the reason goes to stderr.\n"
    "\n"
    "A FILE named *.syx is a dump file that 'wavedump syx' wrote, holding one\n"
    "dump: its size, that it is a waveshape dump, the slot it is for and\n"
    "'resampled: no'.\n"
    "\n"
    "Exit status: 0 the file loads, 1 it does not (the reason on stderr),\n"
    "2 usage error.\n";

// The first two facts of any file. Control characters of the name are shown
// as '?', so that the facts stay one to a line and a name cannot add a
// "resampled:" line of its own.
void printFileLines(const std::string& file, std::uint64_t bytes)
{
    std::string name(file);
    std::replace_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    std::printf("file: %s\n", name.c_str());
    std::printf("file bytes: %" PRIu64 "\n", bytes);
}

std::uint64_t fileBytes(const std::filesystem::path& path)
{
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(path, unknown);
    return unknown ? 0 : size;
}

void printFacts(const std::string& file, const WavFacts& facts)
{
    printFileLines(file, facts.fileBytes);
    if (!facts.riffWave) {
        std::printf("container: not RIFF/WAVE\n");
        return;
    }
    std::printf("container: RIFF/WAVE\n");
    std::printf("chunk walk: %s\n", facts.walk == ChunkWalk::padded ? "pad bytes" : "declared sizes");
    for (const WavFacts::Chunk& chunk : facts.chunks) {
        std::printf("chunk: '%s' %" PRIu32 " bytes", chunk.id.c_str(), chunk.size);
        if (chunk.present < chunk.size)
            std::printf(" (%" PRIu64 " present)", chunk.present);
        std::printf("\n");
    }
    if (!facts.format) {
        std::printf("format: none found\n");
        return;
    }
    const WavFacts::Format& format = *facts.format;
    if (format.extensiblePcm)
        std::printf("format: extensible (PCM)\n");
    else
        std::printf("format: %u (%s)\n", unsigned{format.tag}, formatTagName(format.tag));
    std::printf("channels: %u\n", unsigned{format.channels});
    std::printf("sample rate: %" PRIu32 " Hz\n", format.sampleRate);
    std::printf("bits per sample: %u\n", unsigned{format.bitsPerSample});
    if (!facts.dataBytes) {
        std::printf("data bytes: none taken\n");
        return;
    }
    std::printf("data bytes: %" PRIu32 "\n", *facts.dataBytes);
    const unsigned frameBytes = format.channels * ((format.bitsPerSample + 7u) / 8u);
    if (frameBytes > 0)
        std::printf("sample count: %" PRIu32 "\n", *facts.dataBytes / frameBytes);
}

// A dump file is described as far as it could be read; a bad one, or a bank,
// is told as the wave commands tell it.
int describeDumpFile(const std::string& file)
{
    const OneDump read = readOneDump(file);
    if (read.read)
        printFileLines(file, fileBytes(pathOfArgument(file)));
    if (!read.dump) {
        std::fflush(stdout);
        std::fprintf(stderr, "wavedump info: %s\n", read.problem.c_str());
        return 1;
    }
    std::printf("container: waveshape dump (SysEx)\n");
    std::printf("slot: %d\n", read.dump->slot);
    std::printf("sample count: %d\n", waveshapeSampleCount);
    std::printf("resampled: no\n");
    return finishStandardOutput("info");
}

} // namespace

int runInfo(int argc, char** argv)
{
    const CommandLine line = parseCommandLine("info", usage, argc, argv, ArgumentRules{});
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    const std::string& file = arguments.files.front();
    if (namesDumpFile(file))
        return describeDumpFile(file);
    const std::filesystem::path path = pathOfArgument(file);
    Waveshape& wave = currentWaveshape();
    WavFactsRecorder recorder;
    WaveFileLoader loader(wave);
    const bool loaded = loader.load(path, recorder);
    const char* error = loaded ? nullptr : wave.lastError;
    // A file the loader refuses is described all the same: that is when the facts
    // help. One it cannot open (a folder, say) has nothing to describe.
    if (loader.failure() != LoadFailure::cannotOpen)
        printFacts(file, recorder.facts(fileBytes(path)));
    if (error != nullptr) {
        std::fflush(stdout);
        return loadFailure(error);
    }
    std::printf("resampled: %s\n", wave.resampled ? "yes" : "no");
    return finishStandardOutput("info");
}

} // namespace hwd
