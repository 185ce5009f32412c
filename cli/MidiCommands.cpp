// ports, send and send-syx: the desktop program's port list and Send, on the
// caller's MIDI output, with its message boxes printed on standard error.
#include "Arguments.h"
#include "Commands.h"
#include "OutputFile.h"
#include "PathArgument.h"
#include "ResumePoint.h"
#include "TerminalSender.h"
#include "WaveSource.h"

#include "transfer/AccessNotice.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <cstdio>
#include <numeric>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hwd {

namespace {

constexpr const char* portsUsage =
    "usage: wavedump ports\n"
    "\n"
    "Lists the hardware MIDI output ports that the desktop program offers, one\n"
    "per line as ID, a tab and the port's name, in the order of their IDs.\n"
    "Synthesizers and software ports are not listed. Prints nothing when there\n"
    "is no hardware port. When this user may not open some of the MIDI devices,\n"
    "one line on stderr says so and names the remedy.\n"
    "\n"
    "Exit status: 0 done, 2 usage error.\n";

constexpr const char* sendUsage =
    "usage: wavedump send FILE... --slot N [--from SLOT] [--port ID] [--op OP]...\n"
    "                     [--seed N]\n"
    "\n"
    "Loads each FILE and applies each OP as 'wavedump samples' does, then sends\n"
    "the waves to user slots as the desktop program's Send does, one send per\n"
    "FILE: opens the port, hands it the 300-byte dump, waits until the port is\n"
    "done (at most 30 seconds), pauses 100 ms and closes the port. The first FILE\n"
    "goes to slot N, the next to the slot after it and so on, as 'wavedump syx'\n"
    "writes them. Nothing is sent unless every FILE loads. A failure is told on\n"
    "stderr with the MIDI system's reason and stops the run; with several FILEs a\n"
    "line then says how many dumps were sent and the --from that resumes the\n"
    "run there. On a terminal, a line on stderr names each dump as it goes out:\n"
    "'Sending 101 (5 of 12)...'. On Linux, a port that a program holds through\n"
    "the ALSA sequencer (a DAW connected to it) takes the dumps through the\n"
    "sequencer, and one line on stderr says so.\n"
    "\n"
    "  --slot N     the user slot of the first FILE, 97 to 128; further FILEs go\n"
    "               to the slots after it, and may not pass slot 128\n"
    "  --from SLOT  resumes a run that stopped: every FILE is still loaded, but\n"
    "               the dumps for the slots before SLOT are not sent\n"
    "  --port ID    the port, an ID that 'wavedump ports' lists (default: the\n"
    "               first listed; with none listed, the system's default port)\n"
    "  --op OP      filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N     seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 sent (also when the port did not finish within 30 seconds),\n"
    "1 a file did not load or the port did not open or refused a dump,\n"
    "2 usage error.\n";

constexpr const char* sendSyxUsage =
    "usage: wavedump send-syx FILE.syx [--from SLOT] [--port ID]\n"
    "\n"
    "Sends a dump file that 'wavedump syx' wrote to the synthesizer, as the\n"
    "desktop program's Send does: one 300-byte waveshape dump for a user slot 97\n"
    "to 128, or a bank of up to 32 such dumps one after another, each sent on its\n"
    "own in the file's order. Every dump is checked before anything is sent; any\n"
    "other file is refused and nothing is sent. A failure stops the run; with\n"
    "several dumps a line then says how many were sent and the --from that\n"
    "resumes the run there. On a terminal, a line on stderr names each dump as\n"
    "it goes out: 'Sending 101 (5 of 12)...'. A port held through the ALSA\n"
    "sequencer is reached as 'wavedump send' reaches it.\n"
    "\n"
    "  --from SLOT  resumes a run that stopped: the dumps before the first one\n"
    "               for SLOT, in the file's order, are not sent\n"
    "  --port ID    the port, an ID that 'wavedump ports' lists (default: the\n"
    "               first listed; with none listed, the system's default port)\n"
    "\n"
    "Exit status: 0 sent (also when the port did not finish within 30 seconds),\n"
    "1 the file is not such a dump or bank or the port did not open or refused\n"
    "a dump, 2 usage error.\n";

constexpr std::string_view sendOptions[] = {"--port", "--from"};

std::vector<int> slotsOf(std::span<const SlotDump> dumps)
{
    std::vector<int> slots;
    for (const SlotDump& dump : dumps)
        slots.push_back(dump.slot);
    return slots;
}

} // namespace

int runPorts(int argc, char** argv, const MidiConsole& console)
{
    const CommandLine line = parseCommandLine("ports", portsUsage, argc, argv, ArgumentRules{.maxFiles = 0});
    if (line.exitCode)
        return *line.exitCode;

    const TerminalSender terminal(console.midi);
    for (const MidiPort& port : terminal.ports())
        std::printf("%u\t%s\n", port.deviceId, port.name.c_str());
    // Told, but the list is what it is: the exit status stays that of the listing.
    if (!terminal.notice().empty())
        std::fprintf(stderr, "wavedump ports: %s\n", terminal.notice().c_str());
    else if (terminal.ports().empty())
        std::fprintf(stderr, "wavedump ports: %s\n", noHardwarePortNotice);
    return finishStandardOutput("ports");
}

int runSend(int argc, char** argv, const MidiConsole& console)
{
    const ArgumentRules rules{
        .maxFiles = WaveDumpMessage::lastUserSlot, .waveOps = true, .slot = true, .otherOptions = sendOptions};
    const CommandLine line = parseCommandLine("send", sendUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    if (const std::optional<int> problem = slotRangeProblem("send", *arguments.slot, arguments.files.size()))
        return *problem;
    std::vector<int> slots(arguments.files.size());
    std::iota(slots.begin(), slots.end(), *arguments.slot);
    const ResumePoint resume = resumePoint(slots, arguments.other("--from"));
    if (!resume.problem.empty())
        return usageError("send", resume.problem);

    TerminalSender terminal(console.midi, console.stderrIsTerminal);
    if (const std::string problem = terminal.selectPort(arguments.other("--port")); !problem.empty())
        return usageError("send", problem);

    // Every file loads before the first dump goes out, so that a bank never
    // arrives in part for want of a file; a resumed run checks the files it
    // skips too, as they map the others to their slots.
    const std::optional<std::vector<SlotWave>> dumps =
        loadForSlots(arguments.files, *arguments.slot, arguments.ops, arguments.seed);
    if (!dumps)
        return 1;
    return terminal.sendInOrder(std::span(*dumps).subspan(resume.first), "send");
}

int runSendSyx(int argc, char** argv, const MidiConsole& console)
{
    const ArgumentRules rules{.otherOptions = sendOptions};
    const CommandLine line = parseCommandLine("send-syx", sendSyxUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    // The file is checked, every dump of it, before the MIDI system is touched.
    const std::string& file = arguments.files.front();
    const DumpBank bank = readDumpBank(pathOfArgument(file), file);
    if (!bank.problem.empty()) {
        std::fprintf(stderr, "wavedump send-syx: %s%s\n", bank.problem.c_str(), bank.read ? "; nothing sent" : "");
        return 1;
    }

    const ResumePoint resume = resumePoint(slotsOf(bank.dumps), arguments.other("--from"));
    if (!resume.problem.empty())
        return usageError("send-syx", resume.problem);

    TerminalSender terminal(console.midi, console.stderrIsTerminal);
    if (const std::string problem = terminal.selectPort(arguments.other("--port")); !problem.empty())
        return usageError("send-syx", problem);
    return terminal.sendInOrder(std::span(bank.dumps).subspan(resume.first), "send-syx");
}

} // namespace hwd
