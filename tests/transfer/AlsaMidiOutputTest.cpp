// The ALSA backend as it is on the machine that runs the tests. Without a sound
// card it must list nothing and fail the open of the default port with ALSA's
// reason; with HWD_MIDI_TEST_PORT naming a device id (see `wavedump ports`) it
// sends one dump to that port for real.
#include "ScriptedMidiOutput.h"

#include "transfer/MidiOutput.h"
#include "transfer/MidiSender.h"
#include "wave/Waveshape.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <string>

using namespace hwd;

namespace {

bool machineHasSoundCard()
{
    int card = -1;
    return snd_card_next(&card) == 0 && card >= 0;
}

Waveshape loadedWave()
{
    Waveshape wave;
    wave.loaded = true;
    return wave;
}

class AlsaWithoutSoundCard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (machineHasSoundCard())
            GTEST_SKIP() << "this machine has a sound card";
    }

    std::unique_ptr<MidiOutput> output = makeSystemMidiOutput();
};

TEST_F(AlsaWithoutSoundCard, ListsNoDevice)
{
    EXPECT_EQ(output->deviceCount(), 0u);
    MidiOutputCaps caps;
    EXPECT_NE(output->deviceCaps(0, caps), midiSuccess);
}

TEST_F(AlsaWithoutSoundCard, OpeningTheDefaultPortSaysThereIsNoPortAndLeavesNothingOpen)
{
    const auto signal = output->createCompletionSignal();
    ASSERT_NE(signal, nullptr);

    const MidiResult result = output->open(defaultMidiDevice, *signal);

    ASSERT_NE(result, midiSuccess);
    // With no port at all, a reason a musician can act on instead of the
    // system's "No such file or directory".
    char text[100] = {};
    output->errorText(result, text, 99);
    EXPECT_STREQ(text, "there is no MIDI output port");
    // Nothing was opened, so the port's calls find nothing to act on.
    EXPECT_NE(output->sendLong(std::span<const std::uint8_t>()), midiSuccess);
    output->reset();
    output->close();
    EXPECT_FALSE(signal->wait(0));
}

TEST_F(AlsaWithoutSoundCard, ASendToTheDefaultPortSaysWhyItDidNotOpen)
{
    EXPECT_TRUE(listHardwarePorts(*output).empty());
    MidiSender sender(*output);

    const SendOutcome outcome = sender.send(loadedWave(), defaultMidiDevice, 96);

    EXPECT_EQ(outcome.result, SendResult::openFailed);
    const std::string text = outcome.message();
    const std::string sentence = MidiSenderMessages::openFailed;
    ASSERT_GT(text.size(), sentence.size());
    EXPECT_EQ(text.substr(0, sentence.size()), sentence);
}

TEST(AlsaMidiOutput, RefusesASignalItDidNotMake)
{
    const auto output = makeSystemMidiOutput();
    ScriptedMidiOutput other;
    const auto foreign = other.createCompletionSignal();

    EXPECT_NE(output->open(defaultMidiDevice, *foreign), midiSuccess);
}

TEST(AlsaMidiOutput, ErrorTextsFitTheCallersSize)
{
    const auto output = makeSystemMidiOutput();
    char text[8];
    std::memset(text, '#', sizeof text);

    output->errorText(2, text, 5);

    EXPECT_EQ(std::strlen(text), 4u);
    EXPECT_EQ(text[5], '#');
}

TEST(AlsaMidiOutput, HardwarePortNamedInTheEnvironmentTakesADump)
{
    const char* named = std::getenv("HWD_MIDI_TEST_PORT");
    if (!named)
        GTEST_SKIP() << "set HWD_MIDI_TEST_PORT to a device id to send to real hardware";
    const auto output = makeSystemMidiOutput();
    const long device = std::strtol(named, nullptr, 10);
    const std::vector<MidiPort> ports = listHardwarePorts(*output);
    ASSERT_TRUE(std::any_of(ports.begin(), ports.end(), [device](const MidiPort& port) { return port.deviceId == device; }))
        << "device " << device << " is not a listed hardware port";
    MidiSender sender(*output);

    const SendOutcome outcome = sender.send(loadedWave(), static_cast<int>(device), 96);

    EXPECT_EQ(outcome.result, SendResult::sent) << outcome.message();
}

} // namespace
