#include "Arguments.h"
#include "BarPicture.h"
#include "Commands.h"
#include "OutputFile.h"
#include "WaveSource.h"

#include "wave/Waveshape.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace hwd {

namespace {

constexpr const char* usage =
    "usage: wavedump show FILE [--op OP]... [--seed N]\n"
    "\n"
    "Loads FILE as the desktop program does, applies each OP in order (as for\n"
    "'wavedump samples') and draws the 128 samples as bars above and below a\n"
    "centre line, two samples to a column. The title says when the load\n"
    "reduced a longer run to 128 samples. FILE may be a dump file of one dump\n"
    "(*.syx), as for 'wavedump samples'.\n"
    "\n"
    "Exit status: 0 done, 1 the file did not load (the reason on stderr),\n"
    "2 usage error.\n";

} // namespace

int runShow(int argc, char** argv)
{
    const CommandLine line = parseCommandLine("show", usage, argc, argv, ArgumentRules{.waveOps = true});
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    const std::string& path = arguments.files.front();
    Waveshape& wave = currentWaveshape();
    if (const int failed = loadWaveOrDump("show", wave, path, arguments.ops, arguments.seed))
        return failed;

    const auto [lowest, highest] = std::minmax_element(wave.samples.begin(), wave.samples.end());
    std::printf("%s: 128 samples, min %d, max %d%s\n", path.c_str(), *lowest, *highest,
        wave.resampled ? ", resampled" : "");
    std::fputs(drawBarPicture(wave.samples).c_str(), stdout);
    return finishStandardOutput("show");
}

} // namespace hwd
