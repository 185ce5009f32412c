#pragma once

#include "MidiTerminal.h"
#include "WaveSource.h"

#include "transfer/MidiSender.h"
#include "wave/Waveshape.h"

#include <span>
#include <string>
#include <string_view>

namespace hwd {

class MidiOutput;

// One dump of a run: the samples and the user slot (97 to 128) they go to.
using SlotDump = SlotWave;

// The desktop program's sender on the caller's MIDI output, with its lists
// filled as the desktop program fills them at its start, kept in memory, and its
// message boxes printed on standard error.
class TerminalSender final {
public:
    // Sends what wave holds; sendInOrder fills it with each dump in turn.
    TerminalSender(MidiOutput& midi, Waveshape& wave);

    // Selects the port that --port names, if given; the problem as a usage
    // error's text, empty when fine.
    [[nodiscard]] std::string selectPort(const std::string* value);

    // Sends the dumps in order, each one a send of its own as the desktop
    // program's Send: open, dump, wait, pause, close. The first failure stops
    // the run, and with several dumps a line says how many went out. 1 when the
    // port did not open or refused a dump, else 0.
    [[nodiscard]] int sendInOrder(std::span<const SlotDump> dumps, std::string_view command);

    [[nodiscard]] const TerminalListControl& ports() const noexcept { return ports_; }
    // Empty unless this user may not open some of the MIDI devices.
    [[nodiscard]] const std::string& notice() const noexcept { return notice_; }

private:
    Waveshape& wave_;
    TerminalListControl ports_;
    TerminalListControl waveNumbers_;
    TerminalMessagePresenter messages_;
    MidiSender sender_;
    std::string notice_;
};

} // namespace hwd
