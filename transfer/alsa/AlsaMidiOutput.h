#pragma once

#include "AlsaCards.h"

#include "transfer/MidiOutput.h"

#include <memory>

namespace hwd {

// The MIDI output layer on ALSA's raw MIDI interface, listing the cards that
// cards enumerates (makeSystemMidiOutput gives it the machine's own).
[[nodiscard]] std::unique_ptr<MidiOutput> makeAlsaMidiOutput(std::unique_ptr<AlsaCards> cards);

} // namespace hwd
