// play: the tone that Listen plays, heard once on the default audio output.
#include "Arguments.h"
#include "Commands.h"
#include "ToneOptions.h"

#include "audio/TonePlayback.h"
#include "audio/TonePreview.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace hwd {

namespace {

constexpr const char* playUsage =
    "usage: wavedump play FILE [--op OP]... [--seed N] [--note N | --freq HZ]\n"
    "                     [--seconds S]\n"
    "\n"
    "Loads FILE and applies each OP as 'wavedump samples' does, then plays the\n"
    "tone that 'wavedump render' writes, at half level, at 48,000 frames per\n"
    "second, on the default audio output, and returns once it has been heard.\n"
    "\n"
    "  --note N     a MIDI note, 0 to 127, in equal temperament with A4 (69) at\n"
    "               440 Hz (default 60, middle C: 261.63 Hz)\n"
    "  --freq HZ    the frequency instead, 1 to 20000, fractions allowed\n"
    "  --seconds S  the length, 0.001 to 60 (default 2)\n"
    "  --op OP      filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N     seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 played, 1 the file did not load or the audio output could\n"
    "not be opened, 2 usage error.\n";

// As render takes them, but the rate is the one Listen plays at.
constexpr std::string_view playOptions[] = {"--note", "--freq", "--seconds"};

} // namespace

int runPlay(int argc, char** argv)
{
    const ArgumentRules rules{.waveOps = true, .otherOptions = playOptions};
    const CommandLine line = parseCommandLine("play", playUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    RenderedTone tone = renderTone("play", line.arguments, previewRate);
    if (tone.exitCode)
        return *tone.exitCode;
    for (std::int16_t& frame : tone.frames)
        frame = halfLevel(frame);
    if (const std::string reason = playOnDefaultOutput(tone.frames, tone.rate); !reason.empty()) {
        std::fprintf(stderr, "Error: Failed to open the audio output. %s\n", reason.c_str());
        return 1;
    }
    return 0;
}

} // namespace hwd
