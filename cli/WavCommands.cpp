// wav and render: the wave as a WAV file of its own, and the tone it makes.
#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "PathArgument.h"
#include "ToneOptions.h"
#include "WaveSource.h"

#include "wave/ToneRender.h"
#include "wave/WavWriter.h"
#include "wave/Waveshape.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hwd {

namespace {

constexpr const char* wavUsage =
    "usage: wavedump wav FILE [--op OP]... [--seed N] -o OUT\n"
    "\n"
    "Loads FILE and applies each OP as 'wavedump samples' does, then writes the\n"
    "128 samples as a WAV file of their own: mono 16-bit PCM at 44,100 Hz, the\n"
    "plain 44-byte header, 300 bytes in all. It loads back exactly, not\n"
    "resampled. FILE may be a dump file of one dump (*.syx), as for 'wavedump\n"
    "samples'; 'wavedump unpack' writes every dump of a bank this way.\n"
    "\n"
    "  -o OUT     the file to write, whole or not at all; '-' writes it to\n"
    "             standard output\n"
    "  --op OP    filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N   seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 written, 1 the file did not load or OUT could not be\n"
    "written (nothing is written then), 2 usage error.\n";

constexpr const char* renderUsage =
    "usage: wavedump render FILE [--op OP]... [--seed N] [--note N | --freq HZ]\n"
    "                       [--seconds S] [--rate R] -o OUT\n"
    "\n"
    "Loads FILE and applies each OP as 'wavedump samples' does, then writes the\n"
    "tone the wave makes, one cycle after another, at full level, as a mono\n"
    "16-bit WAV file of S x R frames (rounded to the nearest whole frame).\n"
    "Between two samples the tone follows a straight line; after sample 127\n"
    "comes sample 0.\n"
    "\n"
    "  --note N     a MIDI note, 0 to 127, in equal temperament with A4 (69) at\n"
    "               440 Hz (default 60, middle C: 261.63 Hz)\n"
    "  --freq HZ    the frequency instead, 1 to 20000, fractions allowed\n"
    "  --seconds S  the length, 0.001 to 60 (default 2)\n"
    "  --rate R     frames per second, 8000 to 192000 (default 48000)\n"
    "  -o OUT       the file to write, whole or not at all; '-' writes it to\n"
    "               standard output\n"
    "  --op OP      filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N     seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 written, 1 the file did not load or OUT could not be\n"
    "written (nothing is written then), 2 usage error.\n";

constexpr std::string_view renderOptions[] = {"--note", "--freq", "--seconds", "--rate"};

// An option's value as a number of this type within [low, high]. Answers
// false, with the usage problem, when the value is given but is no such
// number; leaves into as it was when the option is not given.
template <class Number>
bool takeNumber(const Arguments& arguments, std::string_view option, Number low, Number high,
                std::string_view range, Number& into, std::string& problem)
{
    const std::string* text = arguments.other(option);
    if (!text)
        return true;
    Number value{};
    const char* end = text->data() + text->size();
    const auto [last, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || last != end || text->empty() || !(value >= low && value <= high)) {
        problem = std::string(option) + " must be " + std::string(range) + ", got '" + *text + "'";
        return false;
    }
    into = value;
    return true;
}

} // namespace

RenderedTone renderTone(std::string_view command, const Arguments& arguments, std::optional<std::uint32_t> rate)
{
    std::string problem;
    const std::optional<Tone> tone = toneOf(arguments, problem);
    if (!tone)
        return {usageError(command, problem), {}, 0};
    Waveshape& wave = currentWaveshape();
    if (const char* error = loadAndEdit(wave, arguments.files.front(), arguments.ops, arguments.seed))
        return {loadFailure(error), {}, 0};
    const std::uint32_t frameRate = rate.value_or(tone->rate);
    return {std::nullopt, ToneRender::render(wave.samples, tone->hz, tone->seconds, frameRate), frameRate};
}

std::optional<Tone> toneOf(const Arguments& arguments, std::string& problem)
{
    if (arguments.other("--note") && arguments.other("--freq")) {
        problem = "--note and --freq cannot be given together";
        return std::nullopt;
    }
    int note = 60;
    Tone tone;
    tone.hz = -1;
    if (!takeNumber(arguments, "--note", 0, 127, "0 to 127", note, problem)
        || !takeNumber(arguments, "--freq", 1.0, 20000.0, "1 to 20000", tone.hz, problem)
        || !takeNumber(arguments, "--seconds", 0.001, 60.0, "0.001 to 60", tone.seconds, problem)
        || !takeNumber<std::uint32_t>(arguments, "--rate", 8000, 192000, "8000 to 192000", tone.rate, problem))
        return std::nullopt;
    // Middle C unless a frequency is given.
    if (tone.hz < 0)
        tone.hz = ToneRender::noteFrequency(note);
    return tone;
}

int runWav(int argc, char** argv)
{
    const CommandLine line = parseCommandLine("wav", wavUsage, argc, argv, ArgumentRules{.waveOps = true, .output = true});
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    Waveshape& wave = currentWaveshape();
    if (const int failed = loadWaveOrDump("wav", wave, arguments.files.front(), arguments.ops, arguments.seed))
        return failed;
    return writeOutput("wav", *arguments.output, WavWriter::waveFile(wave.samples));
}

int runRender(int argc, char** argv)
{
    const ArgumentRules rules{.waveOps = true, .output = true, .otherOptions = renderOptions};
    const CommandLine line = parseCommandLine("render", renderUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const RenderedTone tone = renderTone("render", line.arguments);
    if (tone.exitCode)
        return *tone.exitCode;
    return writeOutput("render", *line.arguments.output, WavWriter::monoPcm(tone.frames, tone.rate));
}

} // namespace hwd
