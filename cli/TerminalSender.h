#pragma once

#include "WaveSource.h"

#include "transfer/MidiSender.h"
#include "wave/Waveshape.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hwd {

class MidiOutput;

// The desktop program's Send on the caller's MIDI output: the ports it lists,
// the first one chosen unless --port names another, and each failure told on
// standard error in the words of the desktop program's box.
class TerminalSender final {
public:
    // progressLines: whether each dump's send is announced on standard error
    // as the desktop program does ("Sending 101 (5 of 12)..."); meant for a
    // person watching a terminal, never for a pipe or a log.
    explicit TerminalSender(MidiOutput& midi, bool progressLines = false);

    // Selects the port that --port names, if given; the problem as a usage
    // error's text, empty when fine.
    [[nodiscard]] std::string selectPort(const std::string* value);

    // Sends the dumps in order, each one a send of its own as the desktop
    // program's Send: open, dump, wait, pause, close. The first failure stops
    // the run, and with several dumps a line says how many went out and which
    // --from resumes the run there. 1 when the port did not open or refused a
    // dump, else 0.
    [[nodiscard]] int sendInOrder(std::span<const SlotDump> dumps, std::string_view command);

    [[nodiscard]] const std::vector<MidiPort>& ports() const noexcept { return ports_; }
    // Empty unless this user may not open some of the MIDI devices.
    [[nodiscard]] const std::string& notice() const noexcept { return notice_; }

private:
    std::vector<MidiPort> ports_;
    // With no port listed, the system's default port.
    int device_ = defaultMidiDevice;
    MidiSender sender_;
    std::string notice_;
    bool progressLines_;
};

} // namespace hwd
