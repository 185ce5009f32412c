#pragma once

#include "transfer/MidiOutput.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace hwd {

// The ways the ALSA output reaches a port, behind an interface so that its
// rules for a port another program holds can be checked against a stand-in as
// well as against the machine's own devices.

// A raw MIDI output subdevice: hw:CARD,DEVICE,SUBDEVICE.
struct AlsaPortAddress {
    int card = 0;
    int device = 0;
    unsigned subdevice = 0;
};

// One open way to a port, closed when the object goes.
class AlsaOutputStream {
public:
    virtual ~AlsaOutputStream() = default;
    // Hands the whole message over: 0, or an errno value.
    [[nodiscard]] virtual MidiResult write(std::span<const std::uint8_t> message) = 0;
    // True once what was written has left for the synthesizer, or once the
    // stream can no longer say.
    [[nodiscard]] virtual bool drained() = 0;
    // Drops what has not left yet.
    virtual void drop() = 0;
};

// A stream, or why there is none (an errno value).
struct AlsaOpenedStream {
    std::unique_ptr<AlsaOutputStream> stream;
    MidiResult error = midiSuccess;
};

// The process that the system records as holding a port.
struct AlsaPortHolder {
    int pid = 0;
    // Empty when that process has ended: a sequencer connection that it made
    // holds the port after it.
    std::string program;
};

class AlsaPortAccess {
public:
    virtual ~AlsaPortAccess() = default;
    // The raw MIDI port by its ALSA name ("hw:2,0,1", "default"), opened
    // without waiting: a port another program holds fails at once with EBUSY.
    [[nodiscard]] virtual AlsaOpenedStream openRawMidi(const std::string& name) = 0;
    // The ALSA sequencer's port for the raw MIDI port, connected for as long
    // as the stream lives; ENOENT when the sequencer has no such port.
    [[nodiscard]] virtual AlsaOpenedStream openSequencerPort(const AlsaPortAddress& port) = 0;
    // Who holds the port's output, when the system says.
    [[nodiscard]] virtual std::optional<AlsaPortHolder> holder(const AlsaPortAddress& port) = 0;
};

// The machine's raw MIDI devices, sequencer and /proc/asound.
[[nodiscard]] std::unique_ptr<AlsaPortAccess> makeSystemAlsaPortAccess();

} // namespace hwd
