#include "ScriptedAlsaCards.h"

using namespace hwd;

namespace {

class ScriptedControl final : public AlsaCardControl {
public:
    explicit ScriptedControl(const ScriptedAlsaCard& card) : card_(card) {}

    std::optional<AlsaCardIdentity> identity() override { return card_.identity; }

    int nextRawMidiDevice(int device) override
    {
        const auto next = card_.outputs.upper_bound(device);
        return next == card_.outputs.end() ? -1 : next->first;
    }

    unsigned outputSubdevices(int device) override { return static_cast<unsigned>(card_.outputs.at(device).size()); }

    std::optional<std::string> outputName(int device, unsigned subdevice) override
    {
        return card_.outputs.at(device).at(subdevice);
    }

private:
    const ScriptedAlsaCard& card_;
};

} // namespace

int ScriptedAlsaCards::nextCard(int card)
{
    if (card < 0)
        ++walks;
    const auto next = cards.upper_bound(card);
    return next == cards.end() ? -1 : next->first;
}

std::unique_ptr<AlsaCardControl> ScriptedAlsaCards::open(int card)
{
    const ScriptedAlsaCard& found = cards.at(card);
    return found.opens ? std::make_unique<ScriptedControl>(found) : nullptr;
}

std::vector<std::optional<std::string>> sameNames(const std::string& name, int n)
{
    return std::vector<std::optional<std::string>>(static_cast<std::size_t>(n), name);
}

std::map<int, ScriptedAlsaCard> usbGadgetMachine()
{
    std::map<int, ScriptedAlsaCard> cards;
    cards[0].identity = AlsaCardIdentity{"VirMIDI", "VirMIDI", "Virtual MIDI Card 1"};
    for (int device = 0; device < 4; ++device)
        cards[0].outputs[device] = sameNames("Virtual Raw MIDI", 16);
    cards[1].identity = AlsaCardIdentity{"f_midi", "HarlixGadget", "MIDI Gadget"};
    cards[1].outputs[0] = sameNames("f_midi", 2);
    cards[2].identity = AlsaCardIdentity{"USB-Audio", "Interface", "Harlix MIDI Test Interface"};
    cards[2].outputs[0] = sameNames("Harlix MIDI Test Interface MIDI", 2);
    return cards;
}
