// The ALSA backend's port list against a stand-in for the card enumeration:
// which ports are offered, and the device ids they keep, without any sound card.
#include "ScriptedMidiOutput.h"

#include "transfer/MidiSender.h"
#include "transfer/alsa/AlsaMidiOutput.h"
#include "transfer/alsa/AlsaPortList.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <tuple>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// A card as the stand-in answers for it. A device's subdevices are given by
// name; an empty optional is a subdevice whose information cannot be read.
struct StandInCard {
    std::optional<AlsaCardIdentity> identity;
    std::map<int, std::vector<std::optional<std::string>>> outputs;
    bool opens = true;
};

class StandInControl final : public AlsaCardControl {
public:
    explicit StandInControl(const StandInCard& card) : card_(card) {}

    std::optional<AlsaCardIdentity> identity() override { return card_.identity; }

    int nextRawMidiDevice(int device) override
    {
        const auto next = card_.outputs.upper_bound(device);
        return next == card_.outputs.end() ? -1 : next->first;
    }

    unsigned outputSubdevices(int device) override
    {
        return static_cast<unsigned>(card_.outputs.at(device).size());
    }

    std::optional<std::string> outputName(int device, unsigned subdevice) override
    {
        return card_.outputs.at(device).at(subdevice);
    }

private:
    const StandInCard& card_;
};

class StandInCards final : public AlsaCards {
public:
    std::map<int, StandInCard> cards;
    MidiAccessProblem access;

    int nextCard(int card) override
    {
        const auto next = cards.upper_bound(card);
        return next == cards.end() ? -1 : next->first;
    }

    std::unique_ptr<AlsaCardControl> open(int card) override
    {
        const StandInCard& found = cards.at(card);
        return found.opens ? std::make_unique<StandInControl>(found) : nullptr;
    }

    MidiAccessProblem accessProblem() override { return access; }
};

std::vector<std::optional<std::string>> named(const std::string& name, int subdevices)
{
    return std::vector<std::optional<std::string>>(static_cast<std::size_t>(subdevices), name);
}

AlsaCardIdentity identity(const char* driver, const char* id, const char* name)
{
    return AlsaCardIdentity{driver, id, name};
}

// The cards of the test machine: VirMIDI's 4 devices of 16 subdevices, a USB
// MIDI gadget's own side and the USB interface it plugs into.
std::map<int, StandInCard> usbGadgetMachine()
{
    std::map<int, StandInCard> cards;
    cards[0].identity = identity("VirMIDI", "VirMIDI", "Virtual MIDI Card 1");
    for (int device = 0; device < 4; ++device)
        cards[0].outputs[device] = named("Virtual Raw MIDI", 16);
    cards[1].identity = identity("f_midi", "HarlixGadget", "MIDI Gadget");
    cards[1].outputs[0] = named("f_midi", 2);
    cards[2].identity = identity("USB-Audio", "Interface", "Harlix MIDI Test Interface");
    cards[2].outputs[0] = named("Harlix MIDI Test Interface MIDI", 2);
    return cards;
}

struct PortListFixture : ::testing::Test {
    // The port list as the desktop program fills it.
    std::vector<std::pair<std::string, long>> portList()
    {
        auto standIn = std::make_unique<StandInCards>();
        standIn->cards = cards;
        standIn->access = access;
        const auto output = makeAlsaMidiOutput(std::move(standIn));
        std::vector<std::pair<std::string, long>> listed;
        for (const MidiPort& port : listHardwarePorts(*output))
            listed.emplace_back(port.name, port.deviceId);
        return listed;
    }

    std::map<int, StandInCard> cards;
    MidiAccessProblem access;
};

using Listed = std::vector<std::pair<std::string, long>>;

TEST_F(PortListFixture, VirtualMidiPortsAreCountedButNotOffered)
{
    cards = usbGadgetMachine();

    EXPECT_EQ(portList(), (Listed{{"f_midi", 64}, {"f_midi", 65}, {"Harlix MIDI Test Interface MIDI", 66},
                                  {"Harlix MIDI Test Interface MIDI", 67}}));
}

TEST_F(PortListFixture, AVirtualMidiCardIsKnownByItsDriverItsIdOrItsName)
{
    cards[0].identity = identity("VirMIDI", "Other", "Other");
    cards[0].outputs[0] = named("a", 1);
    cards[1].identity = identity("other", "VirMIDI_1", "Other");
    cards[1].outputs[0] = named("b", 1);
    cards[2].identity = identity("other", "Other", "VirMIDI 2");
    cards[2].outputs[0] = named("c", 1);
    // A card that does not say what it is counts as hardware.
    cards[3].outputs[0] = named("unknown", 1);
    cards[4].identity = identity("USB-Audio", "MyVirMIDI", "Not a VirMIDI card");
    cards[4].outputs[0] = named("usb", 1);

    EXPECT_EQ(portList(), (Listed{{"unknown", 3}, {"usb", 4}}));
}

TEST_F(PortListFixture, IdsFollowCardDeviceAndSubdeviceAcrossGaps)
{
    cards[2].identity = identity("USB-Audio", "A", "A");
    cards[2].outputs[0] = {"a0", "a1", "a2"};
    cards[2].outputs[3] = {};  // input only
    cards[2].outputs[5] = {"a5"};
    // A card whose control does not open is skipped: its ports take no id.
    cards[4].outputs[0] = named("closed", 2);
    cards[4].opens = false;
    cards[7].identity = identity("USB-Audio", "B", "B");
    cards[7].outputs[1] = {"b0", std::nullopt, "b2"};

    EXPECT_EQ(portList(), (Listed{{"a0", 0}, {"a1", 1}, {"a2", 2}, {"a5", 3}, {"b0", 4}, {"b2", 5}}));
}

TEST(AlsaPortList, EachPortKnowsItsCardDeviceAndSubdevice)
{
    StandInCards standIn;
    standIn.cards = usbGadgetMachine();

    const auto ports = listAlsaOutputPorts(standIn);

    ASSERT_EQ(ports.size(), 68u);
    const AlsaOutputPort& lastVirtual = ports[63];
    EXPECT_EQ((std::tuple(lastVirtual.card, lastVirtual.device, lastVirtual.subdevice)), std::tuple(0, 3, 15u));
    EXPECT_TRUE(lastVirtual.software);
    const AlsaOutputPort& usbSecond = ports[67];
    EXPECT_EQ((std::tuple(usbSecond.card, usbSecond.device, usbSecond.subdevice)), std::tuple(2, 0, 1u));
    EXPECT_FALSE(usbSecond.software);
}

TEST(AlsaMidiOutputOnStandIn, NamesAreCutTo31CharactersAndTerminated)
{
    auto standIn = std::make_unique<StandInCards>();
    standIn->cards[0].identity = identity("USB-Audio", "Long", "Long");
    standIn->cards[0].outputs[0] = {std::string(40, 'n'), "short"};
    const auto output = makeAlsaMidiOutput(std::move(standIn));

    MidiOutputCaps caps;
    std::memset(caps.name, '#', sizeof caps.name);
    ASSERT_EQ(output->deviceCaps(0, caps), midiSuccess);
    EXPECT_EQ(std::string(caps.name), std::string(31, 'n'));
    ASSERT_EQ(output->deviceCaps(1, caps), midiSuccess);
    EXPECT_EQ(std::string(caps.name), "short");
    EXPECT_EQ(output->deviceCaps(2, caps), static_cast<MidiResult>(ENODEV));
    EXPECT_EQ(output->deviceCount(), 2u);
}

TEST(AlsaMidiOutputOnStandIn, AnIdPastTheListOpensNothing)
{
    auto standIn = std::make_unique<StandInCards>();
    standIn->cards = usbGadgetMachine();
    const auto output = makeAlsaMidiOutput(std::move(standIn));
    const auto signal = output->createCompletionSignal();

    EXPECT_EQ(output->open(68, *signal), static_cast<MidiResult>(ENODEV));
    EXPECT_NE(output->sendLong(std::span<const std::uint8_t>()), midiSuccess);
}

TEST(AlsaMidiOutputOnStandIn, TellsTheDevicesItMayNotOpen)
{
    auto standIn = std::make_unique<StandInCards>();
    standIn->access = MidiAccessProblem{6, "audio"};
    const auto output = makeAlsaMidiOutput(std::move(standIn));

    const MidiAccessProblem problem = output->accessProblem();

    EXPECT_EQ(problem.deniedDevices, 6u);
    EXPECT_EQ(problem.group, "audio");
}

} // namespace
