#pragma once

#include "AlsaPortAccess.h"

#include <optional>
#include <string>
#include <string_view>

namespace hwd {

// The machine's ways to a port, one file each; makeSystemAlsaPortAccess puts
// them together.

// A raw MIDI port, opened without waiting (AlsaRawMidiStream.cpp).
[[nodiscard]] AlsaOpenedStream openRawMidiStream(const std::string& name);

// The sequencer's port for a raw MIDI port, connected (AlsaSequencerStream.cpp).
[[nodiscard]] AlsaOpenedStream openSequencerStream(const AlsaPortAddress& port);

// The holder of a port's output from /proc/asound/cardC/midiD, and its
// program from /proc/PID/comm (AlsaPortHolder.cpp).
[[nodiscard]] std::optional<AlsaPortHolder> readPortHolder(const AlsaPortAddress& port);

// The process id that /proc/asound/cardC/midiD's text gives as the owner of
// output subdevice `subdevice`; empty while nobody has it open.
[[nodiscard]] std::optional<int> outputOwner(std::string_view text, unsigned subdevice);

} // namespace hwd
