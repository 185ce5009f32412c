#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "PathArgument.h"
#include "WaveSource.h"

#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace hwd {

namespace {

namespace fs = std::filesystem;

constexpr const char* usage =
    "usage: wavedump syx FILE... --slot N [--op OP]... [--seed N] -o OUT\n"
    "\n"
    "Loads each FILE as the desktop program does, applies each OP in order (as\n"
    "for 'wavedump samples') and writes the 300-byte waveshape dump that the\n"
    "synthesizer takes into a user slot.\n"
    "\n"
    "  --slot N   the user slot of the first FILE, 97 to 128; further FILEs go\n"
    "             to the slots after it, and may not pass slot 128\n"
    "  -o OUT     with one FILE: the dump file to write; '-' writes it to\n"
    "             standard output\n"
    "             with several FILEs: a bank file that holds all the dumps one\n"
    "             after another, or '-' for standard output\n"
    "             a folder (OUT ends in '/' or is an existing folder): one file\n"
    "             per slot, named SLOT-NAME.syx after the WAV file's name,\n"
    "             e.g. 097-saw.syx, so they sort by slot; a missing last\n"
    "             folder is created\n"
    "\n"
    "Nothing is written unless every FILE loads; files are written whole or\n"
    "not at all.\n"
    "\n"
    "Exit status: 0 done, 1 a file did not load (the reason on stderr) or OUT\n"
    "could not be written, 2 usage error.\n";

struct Dump {
    int slot;
    std::string source; // the WAV file as named on the command line
    std::vector<std::uint8_t> bytes;
};

bool namesFolder(const std::string& output)
{
    std::error_code error;
    const char last = output.back();
    return last == '/' || last == fs::path::preferred_separator || fs::is_directory(pathOfArgument(output), error);
}

int writeFailure(const std::string& problem)
{
    std::fprintf(stderr, "wavedump syx: %s\n", problem.c_str());
    return 1;
}

int writeFolder(const std::string& output, const std::vector<Dump>& dumps)
{
    if (const std::string problem = makeFolder(output); !problem.empty())
        return writeFailure(problem);
    const fs::path folder = pathOfArgument(output);
    for (const Dump& dump : dumps) {
        // Three digits, as the Wave # list writes the slot, so the files sort by slot.
        char slot[8];
        std::snprintf(slot, sizeof slot, "%03d", dump.slot);
        const std::string stem = argumentOfPath(pathOfArgument(dump.source).stem());
        const fs::path file = folder / pathOfArgument(slot + ("-" + stem) + ".syx");
        if (const std::string problem = writeFileWhole(file, dump.bytes); !problem.empty())
            return writeFailure(problem);
    }
    return 0;
}

std::vector<std::uint8_t> concatenated(const std::vector<Dump>& dumps)
{
    std::vector<std::uint8_t> bank;
    for (const Dump& dump : dumps)
        bank.insert(bank.end(), dump.bytes.begin(), dump.bytes.end());
    return bank;
}

} // namespace

int runSyx(int argc, char** argv)
{
    const ArgumentRules rules{.maxFiles = WaveDumpMessage::lastUserSlot, .waveOps = true, .slot = true, .output = true};
    const CommandLine line = parseCommandLine("syx", usage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    if (const std::optional<int> problem = slotRangeProblem("syx", *arguments.slot, arguments.files.size()))
        return *problem;
    const std::optional<std::vector<SlotWave>> waves =
        loadForSlots(arguments.files, *arguments.slot, arguments.ops, arguments.seed);
    if (!waves)
        return 1;
    std::vector<Dump> dumps;
    Waveshape wave;
    for (const SlotWave& loaded : *waves) {
        wave.samples = loaded.samples;
        const auto message = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(loaded.slot - 1));
        const std::string& file = arguments.files[static_cast<std::size_t>(loaded.slot - *arguments.slot)];
        dumps.push_back(Dump{loaded.slot, file, {message.begin(), message.end()}});
    }

    const std::string& output = *arguments.output;
    if (output == "-") {
        const std::string problem = writeStandardOutput(concatenated(dumps));
        return problem.empty() ? 0 : writeFailure(problem);
    }
    if (namesFolder(output))
        return writeFolder(output, dumps);
    const std::string problem = writeFileWhole(pathOfArgument(output), concatenated(dumps));
    return problem.empty() ? 0 : writeFailure(problem);
}

} // namespace hwd
