#include "TerminalSender.h"

#include "transfer/AccessNotice.h"
#include "transfer/MidiOutput.h"
#include "transfer/WaveDumpMessage.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

namespace hwd {

namespace {

// The box's text on one line of standard error, its line breaks made blanks.
void printBoxText(const std::string& text)
{
    for (const char c : text)
        std::fputc(c == '\n' || c == '\r' ? ' ' : c, stderr);
    std::fputc('\n', stderr);
}

} // namespace

TerminalSender::TerminalSender(MidiOutput& midi, bool progressLines)
    : ports_(listHardwarePorts(midi)), sender_(midi), notice_(accessNotice(midi.accessProblem())),
      progressLines_(progressLines)
{
    if (!ports_.empty())
        device_ = static_cast<int>(ports_.front().deviceId);
}

std::string TerminalSender::selectPort(const std::string* value)
{
    if (!value)
        return {};
    long device = -1;
    const char* end = value->data() + value->size();
    const auto [last, error] = std::from_chars(value->data(), end, device);
    const bool listed = error == std::errc() && last == end
        && std::any_of(ports_.begin(), ports_.end(),
                       [device](const MidiPort& port) { return static_cast<long long>(port.deviceId) == device; });
    if (!listed) {
        // A port this user may not open is missing from the list for that reason.
        const std::string why = !notice_.empty() ? " (" + notice_ + ")"
            : ports_.empty()                     ? " (none is listed)"
                                                 : "";
        return "--port must be the ID of a port that 'wavedump ports' lists, got '" + *value + "'" + why;
    }
    device_ = static_cast<int>(device);
    return {};
}

// A port that took a dump but did not finish is not a failure, as in the
// desktop program, but a terminal user is warned that it may not have arrived
// whole. A failure while devices are kept from this user names the remedy on a
// line of its own, after the count of what went out. A dump that went another
// way than the usual is told once for the dumps that went the same way.
int TerminalSender::sendInOrder(std::span<const SlotDump> dumps, std::string_view command)
{
    const int length = static_cast<int>(command.size());
    const bool several = dumps.size() > 1;
    std::size_t sent = 0;
    std::string lastNote;
    Waveshape wave;
    wave.loaded = true;
    for (const SlotDump& dump : dumps) {
        if (progressLines_)
            std::fprintf(stderr, "Sending %03d (%s of %s)...\n", dump.slot, std::to_string(sent + 1).c_str(),
                         std::to_string(dumps.size()).c_str());
        wave.samples = dump.samples;
        const auto waveNumber = static_cast<std::uint8_t>(dump.slot - 1);
        const SendOutcome outcome = sender_.send(wave, device_, waveNumber);
        if (outcome.result == SendResult::openFailed || outcome.result == SendResult::refused) {
            printBoxText(outcome.message());
            if (several) {
                std::fprintf(stderr, "wavedump %.*s: %s of %s dumps sent; stopped at slot %d; resume with --from %d\n",
                             length, command.data(), std::to_string(sent).c_str(),
                             std::to_string(dumps.size()).c_str(), dump.slot, dump.slot);
            }
            if (!notice_.empty())
                std::fprintf(stderr, "wavedump %.*s: %s\n", length, command.data(), notice_.c_str());
            return 1;
        }
        if (!outcome.note.empty() && outcome.note != lastNote)
            std::fprintf(stderr, "wavedump %.*s: %s\n", length, command.data(), outcome.note.c_str());
        lastNote = outcome.note;
        if (outcome.result == SendResult::timedOut && several) {
            std::fprintf(stderr,
                         "wavedump %.*s: warning: the port did not finish sending the dump for slot %d within 30 "
                         "seconds; it may not have arrived whole\n",
                         length, command.data(), dump.slot);
        } else if (outcome.result == SendResult::timedOut) {
            std::fprintf(stderr,
                         "wavedump %.*s: warning: the port did not finish sending within 30 seconds; "
                         "the dump may not have arrived whole\n",
                         length, command.data());
        }
        ++sent;
    }
    return 0;
}

} // namespace hwd
