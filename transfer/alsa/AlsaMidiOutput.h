#pragma once

#include "AlsaCards.h"
#include "AlsaPortAccess.h"

#include "transfer/MidiOutput.h"

#include <memory>

namespace hwd {

// The MIDI output layer on ALSA's raw MIDI interface, listing the cards that
// cards enumerates and reaching their ports through access
// (makeSystemMidiOutput gives it the machine's own).
[[nodiscard]] std::unique_ptr<MidiOutput> makeAlsaMidiOutput(std::unique_ptr<AlsaCards> cards,
                                                             std::unique_ptr<AlsaPortAccess> access);

} // namespace hwd
