// ports, send and send-syx: the desktop program's port list and Send, on the
// caller's MIDI output, with the lists kept in memory and the message boxes
// printed on standard error.
#include "AccessNotice.h"
#include "Arguments.h"
#include "Commands.h"
#include "MidiTerminal.h"
#include "OutputFile.h"
#include "WaveSource.h"

#include "transfer/MidiOutput.h"
#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

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
    "usage: wavedump send FILE --slot N [--port ID] [--op OP]... [--seed N]\n"
    "\n"
    "Loads FILE and applies each OP as 'wavedump samples' does, then sends the\n"
    "wave to user slot N as the desktop program's Send does: opens the port,\n"
    "hands it the 300-byte dump, waits until the port is done (at most 30\n"
    "seconds), pauses 100 ms and closes the port. A failure is told on stderr\n"
    "with the MIDI system's reason.\n"
    "\n"
    "  --slot N   the user slot, 97 to 128\n"
    "  --port ID  the port, an ID that 'wavedump ports' lists (default: the\n"
    "             first listed; with none listed, the system's default port)\n"
    "  --op OP    filter, normalize, additive, random-pd, clear or undo\n"
    "  --seed N   seed of every random-pd, 0 to 4294967295\n"
    "\n"
    "Exit status: 0 sent (also when the port did not finish within 30 seconds),\n"
    "1 the file did not load or the port did not open or refused the dump,\n"
    "2 usage error.\n";

constexpr const char* sendSyxUsage =
    "usage: wavedump send-syx FILE.syx [--port ID]\n"
    "\n"
    "Sends a dump file that 'wavedump syx' wrote (one 300-byte waveshape dump\n"
    "for a user slot 97 to 128) to the synthesizer, as the desktop program's\n"
    "Send does. Any other file is refused and nothing is sent.\n"
    "\n"
    "  --port ID  the port, an ID that 'wavedump ports' lists (default: the\n"
    "             first listed; with none listed, the system's default port)\n"
    "\n"
    "Exit status: 0 sent (also when the port did not finish within 30 seconds),\n"
    "1 the file is not such a dump or the port did not open or refused it,\n"
    "2 usage error.\n";

constexpr std::string_view portOptions[] = {"--port"};

// The sender on the caller's MIDI output, with its lists filled as the desktop
// program fills them at its start.
struct TerminalSender {
    TerminalSender(MidiOutput& midi, const Waveshape& wave)
        : sender(midi, wave, ports, waveNumbers, messages), notice(accessNotice(midi.accessProblem()))
    {
        sender.fillWaveNumberList();
        sender.fillPortList();
    }

    // Selects the port that --port names, if given; the problem as a usage error's
    // text, empty when fine.
    [[nodiscard]] std::string selectPort(const std::string* value)
    {
        if (!value)
            return {};
        long device = -1;
        const char* end = value->data() + value->size();
        const auto [last, error] = std::from_chars(value->data(), end, device);
        const int index = error == std::errc() && last == end ? ports.indexOfData(device) : -1;
        if (index < 0) {
            // A port this user may not open is missing from the list for that reason.
            const std::string why = !notice.empty() ? " (" + notice + ")"
                : ports.items().empty()             ? " (none is listed)"
                                                    : "";
            return "--port must be the ID of a port that 'wavedump ports' lists, got '" + *value + "'" + why;
        }
        ports.setCurrentIndex(index);
        return {};
    }

    void selectSlot(int slot) { waveNumbers.setCurrentIndex(slot - WaveDumpMessage::firstUserSlot); }

    // 1 when the port did not open or refused the dump, else 0. A failure
    // while devices are kept from this user names the remedy on a line of its
    // own. A port that took the dump but did not finish is not a failure, as in
    // the desktop program, but a terminal user is warned that it may not have
    // arrived whole.
    [[nodiscard]] int send(std::string_view command)
    {
        const int length = static_cast<int>(command.size());
        switch (sender.send()) {
        case SendResult::sent:
        case SendResult::notLoaded:
            return 0;
        case SendResult::timedOut:
            std::fprintf(stderr,
                         "wavedump %.*s: warning: the port did not finish sending within 30 seconds; "
                         "the dump may not have arrived whole\n",
                         length, command.data());
            return 0;
        case SendResult::openFailed:
        case SendResult::refused:
            break;
        }
        if (!notice.empty())
            std::fprintf(stderr, "wavedump %.*s: %s\n", length, command.data(), notice.c_str());
        return 1;
    }

    TerminalListControl ports;
    TerminalListControl waveNumbers;
    TerminalMessagePresenter messages;
    MidiSender sender;
    // Empty unless this user may not open some of the MIDI devices.
    std::string notice;
};

int dumpFileFailure(const std::string& problem)
{
    std::fprintf(stderr, "wavedump send-syx: %s\n", problem.c_str());
    return 1;
}

// The file's size and its first bytes, one more than a dump holds: enough to
// tell a dump from anything else without reading a large file whole. Only a
// regular file is read, so that a FIFO or a device cannot hold the command.
bool readDumpFile(const char* path, std::vector<std::uint8_t>& bytes, std::uint64_t& size, std::string& problem)
{
    struct stat info {};
    if (::stat(path, &info) != 0) {
        problem = std::string("cannot read '") + path + "': " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = std::string("cannot read '") + path + "': not a regular file";
        return false;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        problem = std::string("cannot read '") + path + "': " + std::strerror(errno);
        return false;
    }
    bytes.resize(WaveDumpMessage::length + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        problem = std::string("cannot read '") + path + "'";
        return false;
    }
    // Short of the limit the bytes read are the whole file; past it the look's size says how long it is.
    size = bytes.size() > WaveDumpMessage::length
        ? std::max<std::uint64_t>(bytes.size(), static_cast<std::uint64_t>(info.st_size))
        : bytes.size();
    return true;
}

} // namespace

int runPorts(int argc, char** argv, MidiOutput& midi)
{
    const CommandLine line = parseCommandLine("ports", portsUsage, argc, argv, ArgumentRules{.maxFiles = 0});
    if (line.exitCode)
        return *line.exitCode;

    const Waveshape nothingLoaded;
    TerminalSender terminal(midi, nothingLoaded);
    for (const TerminalListControl::Item& item : terminal.ports.items())
        std::printf("%ld\t%s\n", item.data, item.label.c_str());
    // Told, but the list is what it is: the exit status stays that of the listing.
    if (!terminal.notice.empty())
        std::fprintf(stderr, "wavedump ports: %s\n", terminal.notice.c_str());
    return finishStandardOutput("ports");
}

int runSend(int argc, char** argv, MidiOutput& midi)
{
    const ArgumentRules rules{.waveOps = true, .slot = true, .otherOptions = portOptions};
    const CommandLine line = parseCommandLine("send", sendUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    Waveshape& wave = currentWaveshape();
    TerminalSender terminal(midi, wave);
    if (const std::string problem = terminal.selectPort(arguments.other("--port")); !problem.empty())
        return usageError("send", problem);
    if (const char* error = loadAndEdit(wave, arguments.files.front().c_str(), arguments.ops, arguments.seed))
        return loadFailure(error);
    terminal.selectSlot(*arguments.slot);
    return terminal.send("send");
}

int runSendSyx(int argc, char** argv, MidiOutput& midi)
{
    const ArgumentRules rules{.otherOptions = portOptions};
    const CommandLine line = parseCommandLine("send-syx", sendSyxUsage, argc, argv, rules);
    if (line.exitCode)
        return *line.exitCode;
    const Arguments& arguments = line.arguments;

    // The file is checked before the MIDI system is touched.
    const std::string& path = arguments.files.front();
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    std::string problem;
    if (!readDumpFile(path.c_str(), bytes, size, problem))
        return dumpFileFailure(problem);
    if (size != WaveDumpMessage::length || bytes.size() != WaveDumpMessage::length) {
        return dumpFileFailure("'" + path + "' has " + std::to_string(size)
            + " bytes, not one 300-byte waveshape dump; nothing sent");
    }
    const auto decoded = WaveDumpMessage::decode(bytes);
    if (!decoded) {
        return dumpFileFailure(
            "'" + path + "' is not a waveshape dump for a user slot 97 to 128; nothing sent");
    }

    Waveshape wave;
    TerminalSender terminal(midi, wave);
    if (const std::string portProblem = terminal.selectPort(arguments.other("--port")); !portProblem.empty())
        return usageError("send-syx", portProblem);

    // The sender builds the dump afresh from the wave; it must come out as the
    // file's very bytes.
    wave.samples = decoded->samples;
    wave.loaded = true;
    const auto rebuilt = WaveDumpMessage::build(wave, decoded->waveNumber);
    if (!std::equal(rebuilt.begin(), rebuilt.end(), bytes.begin(), bytes.end()))
        return dumpFileFailure("'" + path + "' is not a dump this program writes; nothing sent");
    terminal.selectSlot(decoded->waveNumber + 1);
    return terminal.send("send-syx");
}

} // namespace hwd
