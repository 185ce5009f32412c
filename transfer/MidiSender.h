#pragma once

#include "MidiOutput.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hwd {

struct Waveshape;

// One listed port: a hardware MIDI output, by its device id.
struct MidiPort {
    unsigned deviceId = 0;
    std::string name;
};

// The hardware output ports in device-id order. The count is asked again
// before each device, as a device may go while the list is made; synthesizers,
// software ports and devices whose capabilities cannot be read are left out.
[[nodiscard]] std::vector<MidiPort> listHardwarePorts(MidiOutput& output);

// How a send ended.
enum class SendResult {
    notLoaded,  // nothing to send: no port was opened
    openFailed, // the port did not open
    refused,    // the port refused the dump
    timedOut,   // the port took the dump but did not finish within 30 s
    sent,
};

// A send's result with the platform's text for a failure: at most 98
// characters, empty where the platform has none.
struct SendOutcome {
    SendResult result = SendResult::notLoaded;
    std::array<char, 100> errorText{};
    // How the dump went when the port took it but not the usual way (the
    // output's note on the open port); empty the usual way.
    std::string note;

    // What the user is told: the failure's sentence and the platform's text;
    // empty unless the port did not open or refused the dump.
    [[nodiscard]] std::string message() const;
};

// Sends a wave as one dump. A send blocks its caller from the open of the port
// to its close: at most 30 s of waiting for the port, then a 100 ms pause.
class MidiSender final {
public:
    explicit MidiSender(MidiOutput& output) noexcept : output_(output) {}

    // One dump of wave for waveNumber (slot minus one) to deviceId (-1: the
    // system's default port). Does nothing at all while no wave is loaded.
    // Allocates nothing after the first send, unless the output has a note.
    SendOutcome send(const Waveshape& wave, int deviceId, std::uint8_t waveNumber);

    static constexpr unsigned sendTimeoutMs = 30000;
    static constexpr unsigned closePauseMs = 100;

private:
    void fetchErrorText(MidiResult code, SendOutcome& outcome);

    MidiOutput& output_;
    // Created by the first send that finds a wave loaded and reused by every later one.
    std::unique_ptr<MidiCompletionSignal> sendDone_;
};

namespace MidiSenderMessages {
inline constexpr const char* openFailed = "Error: Failed to open the specified MIDI port. ";
inline constexpr const char* sendFailed = "Error: Failed to send the MIDI SysEx message to the synthesizer. ";
} // namespace MidiSenderMessages

} // namespace hwd
