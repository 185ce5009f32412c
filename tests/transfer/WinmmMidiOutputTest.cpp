// The WinMM backend on the Windows (or wine) that runs the tests, which need not
// have any MIDI device: whatever the system offers, the backend must answer
// sensibly. Nothing is sent, so no test waits for a port.
#include "ScriptedMidiOutput.h"

#include "transfer/MidiOutput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(WinmmMidiOutput, ACompletionSignalStartsClearAndWaitsWithoutBlockingAtZero)
{
    const auto output = makeSystemMidiOutput();
    const auto signal = output->createCompletionSignal();
    ASSERT_NE(signal, nullptr);

    EXPECT_FALSE(signal->wait(0));
    signal->reset();
    EXPECT_FALSE(signal->wait(0));
}

TEST(WinmmMidiOutput, EveryListedDeviceHasATerminatedName)
{
    const auto output = makeSystemMidiOutput();
    const unsigned count = output->deviceCount();
    for (unsigned device = 0; device < count; ++device) {
        MidiOutputCaps caps;
        std::memset(caps.name, '#', sizeof caps.name);
        if (output->deviceCaps(device, caps) == midiSuccess) {
            EXPECT_LT(std::strlen(caps.name), sizeof caps.name) << device;
        }
    }
    MidiOutputCaps caps;
    EXPECT_NE(output->deviceCaps(count + 1000, caps), midiSuccess);
}

TEST(WinmmMidiOutput, ErrorTextsFitTheSizeGiven)
{
    const auto output = makeSystemMidiOutput();
    char text[100] = {};
    // MMSYSERR_BADDEVICEID
    output->errorText(2, text, 99);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_LE(std::strlen(text), 98u);
}

TEST(WinmmMidiOutput, RefusesASignalItDidNotMake)
{
    const auto output = makeSystemMidiOutput();
    ScriptedMidiOutput other;
    const auto foreign = other.createCompletionSignal();

    EXPECT_NE(output->open(defaultMidiDevice, *foreign), midiSuccess);
    // Nothing is open, so these find nothing to act on.
    output->reset();
    output->unprepare();
    output->close();
}

TEST(WinmmMidiOutput, TheDefaultPortOpensAndClosesOrFailsWithAText)
{
    const auto output = makeSystemMidiOutput();
    const auto signal = output->createCompletionSignal();

    const MidiResult result = output->open(defaultMidiDevice, *signal);

    if (result == midiSuccess) {
        output->close();
        // A second open proves the close let go of the port.
        ASSERT_EQ(output->open(defaultMidiDevice, *signal), midiSuccess);
        output->close();
        return;
    }
    char text[100] = {};
    output->errorText(result, text, 99);
    EXPECT_GT(std::strlen(text), 0u) << "code " << result;
}

} // namespace
