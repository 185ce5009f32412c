#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "WaveSource.h"

#include "wave/Waveshape.h"

#include <cstdio>

namespace hwd {

namespace {

constexpr const char* usage =
    "usage: wavedump samples FILE [--op OP]... [--seed N]\n"
    "\n"
    "Loads FILE as the desktop program does, applies each OP in order as the\n"
    "Wave Tweaker's buttons would, and prints the 128 samples, one signed\n"
    "decimal per line, sample 0 first. A FILE named *.syx is a dump file that\n"
    "'wavedump syx' wrote, holding one dump: the wave is the dump's, as it would\n"
    "arrive; a bank is refused.\n"
    "\n"
    "  --op OP    filter, normalize, additive, random-pd, clear or undo;\n"
    "             undo brings back the wave from before the last other op\n"
    "             (right after loading: the loaded wave)\n"
    "  --seed N   seed of every random-pd, 0 to 4294967295 (default: the\n"
    "             millisecond tick count, as in the editor)\n"
    "\n"
    "Exit status: 0 done, 1 the file did not load (the reason on stderr),\n"
    "2 usage error.\n";

} // namespace

int runSamples(int argc, char** argv)
{
    const CommandLine line = parseCommandLine("samples", usage, argc, argv, ArgumentRules{.waveOps = true});
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    Waveshape& wave = currentWaveshape();
    if (const int failed = loadWaveOrDump("samples", wave, arguments.files.front(), arguments.ops, arguments.seed))
        return failed;
    for (const std::int16_t sample : wave.samples)
        std::printf("%d\n", sample);
    return finishStandardOutput("samples");
}

} // namespace hwd
