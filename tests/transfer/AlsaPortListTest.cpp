// The ALSA backend's port list against a stand-in for the card enumeration:
// which ports are offered, and the device ids they keep, without any sound card.
#include "ScriptedAlsaCards.h"
#include "ScriptedAlsaPortAccess.h"
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

AlsaCardIdentity identity(const char* driver, const char* id, const char* name)
{
    return AlsaCardIdentity{driver, id, name};
}

struct PortListFixture : ::testing::Test {
    // The port list as the desktop program fills it.
    std::vector<std::pair<std::string, long>> portList()
    {
        auto standIn = std::make_unique<ScriptedAlsaCards>();
        standIn->cards = cards;
        standIn->access = access;
        const auto output = makeAlsaMidiOutput(std::move(standIn), std::make_unique<ScriptedAlsaPortAccess>());
        std::vector<std::pair<std::string, long>> listed;
        for (const MidiPort& port : listHardwarePorts(*output))
            listed.emplace_back(port.name, port.deviceId);
        return listed;
    }

    std::map<int, ScriptedAlsaCard> cards;
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
    cards[0].outputs[0] = sameNames("a", 1);
    cards[1].identity = identity("other", "VirMIDI_1", "Other");
    cards[1].outputs[0] = sameNames("b", 1);
    cards[2].identity = identity("other", "Other", "VirMIDI 2");
    cards[2].outputs[0] = sameNames("c", 1);
    // A card that does not say what it is counts as hardware.
    cards[3].outputs[0] = sameNames("unknown", 1);
    cards[4].identity = identity("USB-Audio", "MyVirMIDI", "Not a VirMIDI card");
    cards[4].outputs[0] = sameNames("usb", 1);

    EXPECT_EQ(portList(), (Listed{{"unknown", 3}, {"usb", 4}}));
}

TEST_F(PortListFixture, IdsFollowCardDeviceAndSubdeviceAcrossGaps)
{
    cards[2].identity = identity("USB-Audio", "A", "A");
    cards[2].outputs[0] = {"a0", "a1", "a2"};
    cards[2].outputs[3] = {};  // input only
    cards[2].outputs[5] = {"a5"};
    // A card whose control does not open is skipped: its ports take no id.
    cards[4].outputs[0] = sameNames("closed", 2);
    cards[4].opens = false;
    cards[7].identity = identity("USB-Audio", "B", "B");
    cards[7].outputs[1] = {"b0", std::nullopt, "b2"};

    EXPECT_EQ(portList(), (Listed{{"a0", 0}, {"a1", 1}, {"a2", 2}, {"a5", 3}, {"b0", 4}, {"b2", 5}}));
}

// The count is asked before every device; each ask looks at the system's
// device list and walks the cards again only when that changed.
TEST(AlsaMidiOutputOnStandIn, WalksTheCardsAgainOnlyWhenTheDeviceListChanged)
{
    auto owned = std::make_unique<ScriptedAlsaCards>();
    ScriptedAlsaCards& standIn = *owned;
    standIn.cards = usbGadgetMachine();
    const auto output = makeAlsaMidiOutput(std::move(owned), std::make_unique<ScriptedAlsaPortAccess>());
    const auto signal = output->createCompletionSignal();

    EXPECT_EQ(listHardwarePorts(*output).size(), 4u);
    // The send's open after the listing finds its port in the same walk.
    EXPECT_NE(output->open(68, *signal), midiSuccess);
    EXPECT_EQ(standIn.walks, 1);

    // The interface is unplugged between two asks.
    standIn.cards.erase(2);
    ++*standIn.version;
    MidiOutputCaps caps;
    EXPECT_EQ(output->deviceCaps(66, caps), static_cast<MidiResult>(ENODEV));
    EXPECT_EQ(output->deviceCount(), 66u);
    EXPECT_EQ(standIn.walks, 2);
}

TEST(AlsaMidiOutputOnStandIn, WalksTheCardsOnEveryAskWhenTheSystemCannotTellItsDeviceList)
{
    auto owned = std::make_unique<ScriptedAlsaCards>();
    ScriptedAlsaCards& standIn = *owned;
    standIn.cards = usbGadgetMachine();
    standIn.version = std::nullopt;
    const auto output = makeAlsaMidiOutput(std::move(owned), std::make_unique<ScriptedAlsaPortAccess>());

    EXPECT_EQ(listHardwarePorts(*output).size(), 4u);
    // 69 counts (one before each of the 68 devices, one after) and 68 caps.
    EXPECT_EQ(standIn.walks, 137);
}

TEST(AlsaPortList, EachPortKnowsItsCardDeviceAndSubdevice)
{
    ScriptedAlsaCards standIn;
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
    auto standIn = std::make_unique<ScriptedAlsaCards>();
    standIn->cards[0].identity = identity("USB-Audio", "Long", "Long");
    standIn->cards[0].outputs[0] = {std::string(40, 'n'), "short"};
    const auto output = makeAlsaMidiOutput(std::move(standIn), std::make_unique<ScriptedAlsaPortAccess>());

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
    auto standIn = std::make_unique<ScriptedAlsaCards>();
    standIn->cards = usbGadgetMachine();
    const auto output = makeAlsaMidiOutput(std::move(standIn), std::make_unique<ScriptedAlsaPortAccess>());
    const auto signal = output->createCompletionSignal();

    EXPECT_EQ(output->open(68, *signal), static_cast<MidiResult>(ENODEV));
    EXPECT_NE(output->sendLong(std::span<const std::uint8_t>()), midiSuccess);
}

TEST(AlsaMidiOutputOnStandIn, TellsTheDevicesItMayNotOpen)
{
    auto standIn = std::make_unique<ScriptedAlsaCards>();
    standIn->access = MidiAccessProblem{6, "audio"};
    const auto output = makeAlsaMidiOutput(std::move(standIn), std::make_unique<ScriptedAlsaPortAccess>());

    const MidiAccessProblem problem = output->accessProblem();

    EXPECT_EQ(problem.deniedDevices, 6u);
    EXPECT_EQ(problem.group, "audio");
}

} // namespace
