#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace hwd {

// The small MIDI output layer the sender talks to. One backend per platform
// (ALSA rawmidi on Linux, WinMM on Windows) and a scripted double in the tests;
// no platform type crosses this header.

// 0 is success; anything else is a backend error code whose text errorText gives.
using MidiResult = unsigned;
inline constexpr MidiResult midiSuccess = 0;

// Opens the system's default MIDI output.
inline constexpr int defaultMidiDevice = -1;

inline constexpr std::size_t midiDeviceNameSize = 32; // 31 characters and the terminator

struct MidiOutputCaps {
    char name[midiDeviceNameSize] = {};
    bool hardwarePort = false;
};

// Sound devices that are there but that this user may not open, and the group
// whose members may open them (empty when no group would help).
struct MidiAccessProblem {
    unsigned deniedDevices = 0;
    std::string group;
};

// Manual-reset completion signal: set by the port once it has finished with a
// long-message buffer.
class MidiCompletionSignal {
public:
    virtual ~MidiCompletionSignal() = default;
    virtual void reset() = 0;
    // True when signalled, false when timeoutMs passed without a signal.
    [[nodiscard]] virtual bool wait(unsigned timeoutMs) = 0;
};

class MidiOutput {
public:
    virtual ~MidiOutput() = default;

    [[nodiscard]] virtual unsigned deviceCount() = 0;
    [[nodiscard]] virtual MidiResult deviceCaps(unsigned deviceId, MidiOutputCaps& caps) = 0;

    // Never null. A signal the platform could not make lets every open with it
    // fail with an error code, so no port is ever opened without its signal.
    [[nodiscard]] virtual std::unique_ptr<MidiCompletionSignal> createCompletionSignal() = 0;

    // One port at a time: open, then the calls below, then close. The signal must
    // come from this output's createCompletionSignal. After a failed open nothing
    // is open and the calls below do nothing.
    [[nodiscard]] virtual MidiResult open(int deviceId, MidiCompletionSignal& done) = 0;
    // A few words on how the open port is reached when that is not the usual
    // way, for whoever sends (the port is held by another program, and the
    // dump goes round it); empty the usual way.
    [[nodiscard]] virtual std::string openNote() { return {}; }
    virtual void prepare(std::span<const std::uint8_t> message) = 0;
    // Hands the buffer over and returns at once; the signal fires when it is sent.
    // The buffer must stay unchanged until then.
    [[nodiscard]] virtual MidiResult sendLong(std::span<const std::uint8_t> message) = 0;
    // Stops output and hands the buffer back.
    virtual void reset() = 0;
    virtual void unprepare() = 0;
    virtual void close() = 0;

    // Writes the backend's text for code into text (at most size - 1 characters
    // and the terminator); leaves text untouched when there is none.
    virtual void errorText(MidiResult code, char* text, std::size_t size) = 0;

    // The pause before the port is closed, so the interface finishes the last bytes.
    virtual void pause(unsigned milliseconds) = 0;

    // Devices hidden from the port list because this user may not open them.
    // A platform without such devices answers none.
    [[nodiscard]] virtual MidiAccessProblem accessProblem() { return {}; }
};

// The backend of the platform the program was built for.
[[nodiscard]] std::unique_ptr<MidiOutput> makeSystemMidiOutput();

} // namespace hwd
