#pragma once

#include "MidiOutput.h"
#include "SenderControls.h"

#include <cstdint>
#include <memory>

namespace hwd {

struct Waveshape;

// How a send ended. The desktop program shows what the user must know in its
// boxes and ignores this; wavedump turns it into its exit status.
enum class SendResult {
    notLoaded,  // nothing to send: no port was opened
    openFailed, // the port did not open (told in a box)
    refused,    // the port refused the dump (told in a box)
    timedOut,   // the port took the dump but did not finish within 30 s (told nowhere)
    sent,
};

// Fills the port and wave-number lists and sends the current wave as one dump.
// A send blocks its caller from the open of the port to its close: at most 30 s
// of waiting for the port, then a 100 ms pause.
class MidiSender final {
public:
    MidiSender(MidiOutput& output, const Waveshape& wave, ListControl& portList,
               ListControl& waveNumberList, MessagePresenter& messages) noexcept;

    // "097" to "128", data 96 to 127, the first selected.
    void fillWaveNumberList();
    // The hardware output ports in device-id order, data the device id, the first selected.
    void fillPortList();
    // Does nothing at all while no wave is loaded.
    SendResult send();
    // The wave number (slot minus one) that the Wave # list shows.
    [[nodiscard]] std::uint8_t selectedWaveNumber() const;

    static constexpr unsigned sendTimeoutMs = 30000;
    static constexpr unsigned closePauseMs = 100;

private:
    void reportFailure(const char* sentence, MidiResult code);

    MidiOutput& output_;
    const Waveshape& wave_;
    ListControl& portList_;
    ListControl& waveNumberList_;
    MessagePresenter& messages_;
    // Created by the first send that finds a wave loaded and reused by every later one.
    std::unique_ptr<MidiCompletionSignal> sendDone_;
};

namespace MidiSenderMessages {
inline constexpr const char* openFailed = "Error: Failed to open the specified MIDI port. ";
inline constexpr const char* sendFailed = "Error: Failed to send the MIDI SysEx message to the synthesizer. ";
} // namespace MidiSenderMessages

} // namespace hwd
