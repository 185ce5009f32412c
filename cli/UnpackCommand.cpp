// unpack: a dump or bank file back into WAV files, one per dump, named after
// the slot each dump is for.
#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "PathArgument.h"

#include "transfer/DumpBank.h"
#include "wave/WavWriter.h"
#include "wave/WholeFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace hwd {

namespace {

constexpr const char* usage =
    "usage: wavedump unpack FILE.syx -o DIR\n"
    "\n"
    "Writes each dump of a dump or bank file that 'wavedump syx' wrote as a WAV\n"
    "file of its own in DIR, named after the slot the dump is for: 097.wav to\n"
    "128.wav. Each is the 300-byte file that 'wavedump wav' writes for that\n"
    "wave, which loads back exactly. Every dump is checked first, as send-syx\n"
    "checks it: a file that is not such a dump or bank, or a bank with two\n"
    "dumps for one slot, is refused and nothing is written. Each file is written\n"
    "whole or not at all; one already there is replaced.\n"
    "\n"
    "  -o DIR     the folder to write into; a missing last folder is created\n"
    "\n"
    "Exit status: 0 written, 1 the file is not such a dump or bank or a WAV\n"
    "file could not be written, 2 usage error.\n";

int failure(const std::string& problem)
{
    std::fprintf(stderr, "wavedump unpack: %s\n", problem.c_str());
    return 1;
}

// One file per dump: a bank put together by hand may hold a slot twice, and
// the later dump would then replace the earlier one's file unseen.
std::string repeatedSlot(const std::vector<SlotDump>& dumps, const std::string& file)
{
    for (std::size_t later = 1; later < dumps.size(); ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            if (dumps[earlier].slot == dumps[later].slot)
                return "'" + file + "' holds two dumps for slot " + std::to_string(dumps[later].slot) + " (dumps "
                    + std::to_string(earlier + 1) + " and " + std::to_string(later + 1) + ")";
        }
    }
    return {};
}

} // namespace

int runUnpack(int argc, char** argv)
{
    const CommandLine line = parseCommandLine("unpack", usage, argc, argv, ArgumentRules{.output = true});
    if (line.exitCode)
        return *line.exitCode;
    const std::string& file = line.arguments.files.front();
    const std::string& output = *line.arguments.output;
    if (output == "-")
        return usageError("unpack", "-o must name a folder, got '-'");

    // Every dump is checked before the first file is written.
    const DumpBank bank = readDumpBank(pathOfArgument(file), file);
    const std::string problem = bank.problem.empty() ? repeatedSlot(bank.dumps, file) : bank.problem;
    if (!problem.empty())
        return failure(problem + (bank.read ? "; nothing written" : ""));

    if (const std::string made = makeFolder(output); !made.empty())
        return failure(made);
    const std::filesystem::path folder = pathOfArgument(output);
    for (const SlotDump& dump : bank.dumps) {
        // Three digits, as syx names its files, so that they sort by slot.
        char name[16];
        std::snprintf(name, sizeof name, "%03d.wav", dump.slot);
        if (const std::string written = writeFileWhole(folder / name, WavWriter::waveFile(dump.samples));
            !written.empty())
            return failure(written);
    }
    return 0;
}

} // namespace hwd
