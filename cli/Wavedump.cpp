#include "Wavedump.h"

#include "Commands.h"
#include "Version.h"

#include <cstdio>
#include <cstring>

namespace hwd {

namespace {

struct Subcommand {
    const char* name;
    // One of the two: the wave commands need nothing more, the MIDI ones the
    // output and whether a person watches standard error.
    int (*run)(int argc, char** argv);
    int (*runOnMidi)(int argc, char** argv, const MidiConsole& console);
    const char* summary;
};

constexpr Subcommand subcommands[] = {
    {"samples", runSamples, nullptr, "print the 128 samples a WAV file loads as"},
    {"info", runInfo, nullptr, "describe a WAV file and whether it loads resampled"},
    {"syx", runSyx, nullptr, "write the 300-byte dump for a user slot to a file"},
    {"show", runShow, nullptr, "draw the wave as bars in the terminal"},
    {"wav", runWav, nullptr, "write the wave as a 128-sample WAV file"},
    {"render", runRender, nullptr, "write the tone the wave makes as a WAV file"},
    {"play", runPlay, nullptr, "play the tone the wave makes on the audio output"},
    {"cycle", runCycle, nullptr, "make the wave of one cycle of any recording"},
    {"unpack", runUnpack, nullptr, "write each dump of a .syx file as a WAV file"},
    {"ports", nullptr, runPorts, "list the hardware MIDI output ports"},
    {"send", nullptr, runSend, "send WAV files' waves to user slots, one dump each"},
    {"send-syx", nullptr, runSendSyx, "send a dump or bank file written by syx"},
};

void printUsage(std::FILE* stream)
{
    std::fprintf(stream, "usage: wavedump COMMAND [ARGS]\n\ncommands:\n");
    for (const Subcommand& command : subcommands)
        std::fprintf(stream, "  %-9s %s\n", command.name, command.summary);
    std::fprintf(stream, "\n'wavedump COMMAND --help' describes a command; 'wavedump --version' prints the version.\n");
}

} // namespace

int wavedumpMain(int argc, char** argv, MidiOutput& midi, bool stderrIsTerminal)
{
    if (argc < 2) {
        std::fprintf(stderr, "wavedump: missing command (try 'wavedump --help')\n");
        return 2;
    }
    const char* name = argv[1];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0 || std::strcmp(name, "help") == 0) {
        printUsage(stdout);
        return 0;
    }
    if (std::strcmp(name, "--version") == 0) {
        std::printf("wavedump %s\n", HWD_VERSION_STRING);
        return 0;
    }
    const MidiConsole console{midi, stderrIsTerminal};
    for (const Subcommand& command : subcommands) {
        if (std::strcmp(name, command.name) != 0)
            continue;
        return command.run ? command.run(argc - 2, argv + 2) : command.runOnMidi(argc - 2, argv + 2, console);
    }
    std::fprintf(stderr, "wavedump: unknown command '%s' (try 'wavedump --help')\n", name);
    return 2;
}

} // namespace hwd
