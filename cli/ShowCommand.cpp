#include "Arguments.h"
#include "BarPicture.h"
#include "Commands.h"
#include "WaveSource.h"

#include "wave/Waveshape.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr const char* usage =
    "usage: wavedump show FILE [--op OP]... [--seed N]\n"
    "\n"
    "Loads FILE as the desktop program does, applies each OP in order (as for\n"
    "'wavedump samples') and draws the 128 samples as bars above and below a\n"
    "centre line, two samples to a column. The title says when the load\n"
    "reduced a longer run to 128 samples.\n"
    "\n"
    "Exit status: 0 done, 1 the file did not load (the reason on stderr),\n"
    "2 usage error.\n";

} // namespace

int runShow(int argc, char** argv)
{
    const ArgumentRules rules{.waveOps = true};
    const ParseResult parsed = parseArguments(argc, argv, rules);
    if (!parsed.problem.empty())
        return usageError("show", parsed.problem);
    const Arguments& arguments = parsed.arguments;
    if (arguments.help) {
        std::fputs(usage, stdout);
        return 0;
    }

    const std::string& path = arguments.files.front();
    Waveshape& wave = currentWaveshape();
    if (const char* error = loadAndEdit(wave, path.c_str(), arguments.ops, arguments.seed))
        return loadFailure(error);

    const auto [lowest, highest] = std::minmax_element(wave.samples.begin(), wave.samples.end());
    std::printf("%s: 128 samples, min %d, max %d%s\n", path.c_str(), *lowest, *highest,
        wave.resampled ? ", resampled" : "");
    std::fputs(drawBarPicture(wave.samples).c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
