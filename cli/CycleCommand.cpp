// cycle: one cycle of any recording as the wave, as Import Cycle makes it.
#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "PathArgument.h"
#include "WaveSource.h"

#include "wave/CycleImport.h"
#include "wave/CycleText.h"
#include "wave/Recording.h"
#include "wave/WavWriter.h"
#include "wave/WaveOps.h"
#include "wave/Waveshape.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace hwd {

namespace {

constexpr const char* usage =
    "usage: wavedump cycle FILE [--start F] [--length L] [--op OP]... [--seed N]\n"
    "                      [-o OUT]\n"
    "\n"
    "Reads FILE, a WAV recording of 8-, 16-, 24- or 32-bit PCM or 32- or 64-bit\n"
    "float, 1 to 8 channels (mixed by their mean), takes one cycle of it and\n"
    "makes the wave of it as the desktop program's Import Cycle does: the cycle\n"
    "as one period, band-limited to the 63 harmonics 128 samples hold. Without\n"
    "--start and --length the cycle is the smpl chunk's first loop, or else the\n"
    "one found in the steadiest, loudest stretch. Then applies each OP as\n"
    "'wavedump samples' does and prints the 128 samples, or writes them as a\n"
    "300-byte WAV file. One line on stderr says which cycle was taken and why.\n"
    "\n"
    "  --start F   the cycle's first frame; without --length the period is\n"
    "              found near it\n"
    "  --length L  the cycle's length in frames, 2 to 65536, decimals allowed\n"
    "  -o OUT      the WAV file to write, whole or not at all; '-' writes it to\n"
    "              standard output\n"
    "  --op OP     filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N    seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 done, 1 the file could not be read, has no cycle there, or\n"
    "OUT could not be written, 2 usage error.\n";

constexpr std::string_view cycleOptions[] = {"--start", "--length"};

int cycleFailure(const std::string& problem)
{
    std::fprintf(stderr, "wavedump cycle: %s\n", problem.c_str());
    return 1;
}

// The cycle the options and the recording give, or why there is none.
struct CycleAnswer {
    std::optional<CycleChoice> choice;
    std::string problem;
};

CycleAnswer chooseCycle(const Recording& recording, std::optional<std::uint64_t> start, std::optional<double> length)
{
    const std::uint64_t frames = recording.frames.size();
    if (start && *start >= frames)
        return {std::nullopt, "--start must be a frame of the recording, 0 to " + std::to_string(frames - 1)};
    CycleChoice choice;
    if (start && length) {
        choice = {{*start, *length}, CycleOrigin::given};
    } else if (start) {
        const std::optional<double> period = findPeriod(recording.frames, recording.rate, *start);
        if (!period)
            return {std::nullopt, "no steady pitch was found near frame " + std::to_string(*start) + "; give --length"};
        choice = {{*start, *period}, CycleOrigin::found};
    } else {
        const std::optional<CycleChoice> found = defaultCycle(recording);
        if (!found && !length)
            return {std::nullopt, "no steady pitch was found; give --start and --length"};
        choice = found.value_or(CycleChoice{});
        if (length)
            choice = {{found ? found->cycle.start : 0, *length}, CycleOrigin::given};
    }
    // The cycle taken is the one the line on stderr shows.
    choice.cycle.length = shownLength(choice.cycle.length);
    if (!cycleFits(recording.frames, choice.cycle))
        return {std::nullopt, "the cycle at " + std::to_string(choice.cycle.start) + ", "
                                  + lengthText(choice.cycle.length) + " frames long, runs past the end of the recording ("
                                  + std::to_string(frames) + " frames)"};
    return {choice, {}};
}

} // namespace

int runCycle(int argc, char** argv)
{
    const ArgumentRules rules{.waveOps = true, .optionalOutput = true, .otherOptions = cycleOptions};
    const CommandLine line = parseCommandLine("cycle", usage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    std::optional<std::uint64_t> start;
    if (const std::string* text = arguments.other("--start")) {
        start = parseStartFrame(*text);
        if (!start)
            return usageError("cycle", "--start must be a frame number, got '" + *text + "'");
    }
    std::optional<double> length;
    if (const std::string* text = arguments.other("--length")) {
        length = parseCycleLength(*text);
        if (!length || shownLength(*length) < 2.0 || *length > maximumCycleLength)
            return usageError("cycle", "--length must be 2 to 65536 frames, got '" + *text + "'");
    }

    const RecordingRead read = readRecording(pathOfArgument(arguments.files.front()));
    if (!read.recording)
        return loadFailure(read.error.c_str());
    const CycleAnswer answer = chooseCycle(*read.recording, start, length);
    if (!answer.choice)
        return cycleFailure(answer.problem);
    std::fprintf(stderr, "cycle: %s\n", describeCycle(*answer.choice, read.recording->rate).c_str());

    Waveshape& wave = currentWaveshape();
    wave.samples = cycleToWave(read.recording->frames, answer.choice->cycle);
    wave.loaded = true;
    wave.resampled = true;
    beginEditing(wave);
    applyWaveOps(wave, arguments.ops, arguments.seed);
    if (arguments.output)
        return writeOutput("cycle", *arguments.output, WavWriter::waveFile(wave.samples));
    for (const std::int16_t sample : wave.samples)
        std::printf("%d\n", sample);
    return finishStandardOutput("cycle");
}

} // namespace hwd
