#include "TerminalSender.h"

#include "transfer/AccessNotice.h"
#include "transfer/MidiOutput.h"
#include "transfer/WaveDumpMessage.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace hwd {

TerminalSender::TerminalSender(MidiOutput& midi, Waveshape& wave)
    : wave_(wave),
      sender_(midi, wave, ports_, waveNumbers_, messages_),
      notice_(accessNotice(midi.accessProblem()))
{
    sender_.fillWaveNumberList();
    sender_.fillPortList();
}

std::string TerminalSender::selectPort(const std::string* value)
{
    if (!value)
        return {};
    long device = -1;
    const char* end = value->data() + value->size();
    const auto [last, error] = std::from_chars(value->data(), end, device);
    const int index = error == std::errc() && last == end ? ports_.indexOfData(device) : -1;
    if (index < 0) {
        // A port this user may not open is missing from the list for that reason.
        const std::string why = !notice_.empty() ? " (" + notice_ + ")"
            : ports_.items().empty()             ? " (none is listed)"
                                                 : "";
        return "--port must be the ID of a port that 'wavedump ports' lists, got '" + *value + "'" + why;
    }
    ports_.setCurrentIndex(index);
    return {};
}

// A port that took a dump but did not finish is not a failure, as in the
// desktop program, but a terminal user is warned that it may not have arrived
// whole. A failure while devices are kept from this user names the remedy on a
// line of its own, after the count of what went out.
int TerminalSender::sendInOrder(std::span<const SlotDump> dumps, std::string_view command)
{
    const int length = static_cast<int>(command.size());
    const bool several = dumps.size() > 1;
    std::size_t sent = 0;
    for (const SlotDump& dump : dumps) {
        wave_.samples = dump.samples;
        wave_.loaded = true;
        waveNumbers_.setCurrentIndex(dump.slot - WaveDumpMessage::firstUserSlot);
        const SendResult result = sender_.send();
        if (result == SendResult::openFailed || result == SendResult::refused) {
            if (several) {
                std::fprintf(stderr, "wavedump %.*s: %s of %s dumps sent; stopped at slot %d\n", length,
                             command.data(), std::to_string(sent).c_str(), std::to_string(dumps.size()).c_str(),
                             dump.slot);
            }
            if (!notice_.empty())
                std::fprintf(stderr, "wavedump %.*s: %s\n", length, command.data(), notice_.c_str());
            return 1;
        }
        if (result == SendResult::timedOut && several) {
            std::fprintf(stderr,
                         "wavedump %.*s: warning: the port did not finish sending the dump for slot %d within 30 "
                         "seconds; it may not have arrived whole\n",
                         length, command.data(), dump.slot);
        } else if (result == SendResult::timedOut) {
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
