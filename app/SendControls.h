#pragma once

#include <cstdint>

namespace hwd {

class DialogControls;
class MidiOutput;
class MidiSender;
struct Waveshape;

// The main dialog's two lists, which say where Send puts the wave, and Send
// itself. Both lists are filled once, at the dialog's start, and never
// refreshed: a device plugged in later is not listed.
namespace SendControls {

// Wave # (IDC_WAVE_NUMBER): "097" to "128", data the wave numbers 96 to 127,
// the first selected.
void fillWaveNumberList(DialogControls& window);

// Port (IDC_PORT): the hardware output ports in device-id order, data the
// device id, the first selected (nothing when none is listed). Its tooltip
// says how many devices the system keeps from this user, and what helps; with
// no port listed and none kept, noPortToolTip.
void fillPortList(DialogControls& window, MidiOutput& midi);

// The lists are filled once, so a port plugged in later needs a new start.
inline constexpr const char* noPortToolTip =
    "No hardware MIDI output port was found.\nConnect a MIDI interface and start the program again.";

// The wave number that the Wave # list shows (slot minus one).
[[nodiscard]] std::uint8_t selectedWaveNumber(const DialogControls& window);

// Send: one dump of the wave to the selected port and wave number (the
// system's default port when no port is selected); a port that does not open
// or refuses the dump gets one error box with the system's reason. Nothing at
// all while no wave is loaded.
void send(DialogControls& window, MidiSender& sender, const Waveshape& wave);

} // namespace SendControls

} // namespace hwd
