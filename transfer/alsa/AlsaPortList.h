#pragma once

#include <string>
#include <vector>

namespace hwd {

class AlsaCards;

// One output subdevice. Its index in the list is its device id.
struct AlsaOutputPort {
    int card = 0;
    int device = 0;
    unsigned subdevice = 0;
    std::string name;
    // The virtual raw MIDI driver's ports lead to sequencer clients, not to a
    // synthesizer: they are counted but not offered.
    bool software = false;
};

// Every output subdevice of every card whose control interface opens, in
// (card, device, subdevice) order; a subdevice that cannot be read is left out.
[[nodiscard]] std::vector<AlsaOutputPort> listAlsaOutputPorts(AlsaCards& cards);

} // namespace hwd
