#include "AlsaPortList.h"

#include "AlsaCards.h"

#include <string_view>

namespace hwd {

namespace {

bool isVirtualMidiCard(const AlsaCardIdentity& card)
{
    constexpr std::string_view virmidi = "VirMIDI";
    return card.driver == virmidi || std::string_view(card.id).starts_with(virmidi)
        || std::string_view(card.name).starts_with(virmidi);
}

} // namespace

std::vector<AlsaOutputPort> listAlsaOutputPorts(AlsaCards& cards)
{
    std::vector<AlsaOutputPort> ports;
    for (int card = cards.nextCard(-1); card >= 0; card = cards.nextCard(card)) {
        const auto control = cards.open(card);
        if (!control)
            continue;
        const auto identity = control->identity();
        const bool software = identity && isVirtualMidiCard(*identity);
        for (int device = control->nextRawMidiDevice(-1); device >= 0; device = control->nextRawMidiDevice(device)) {
            const unsigned subdevices = control->outputSubdevices(device);
            for (unsigned subdevice = 0; subdevice < subdevices; ++subdevice) {
                if (auto name = control->outputName(device, subdevice))
                    ports.push_back(AlsaOutputPort{card, device, subdevice, std::move(*name), software});
            }
        }
    }
    return ports;
}

} // namespace hwd
