#include "tests/support/CaseNames.h"
#include "ScriptedMidiOutput.h"

#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using Calls = std::vector<std::string>;
using Kind = ScriptedMidiOutput::DeviceKind;

std::vector<std::string> names(const std::vector<MidiPort>& ports)
{
    std::vector<std::string> listed;
    for (const MidiPort& port : ports)
        listed.push_back(std::to_string(port.deviceId) + " " + port.name);
    return listed;
}

TEST(MidiPortList, OnlyHardwarePortsInDeviceIdOrderWithTheirIds)
{
    ScriptedMidiOutput output;
    output.devices = {
        {"Wavetable Synth", Kind::Synthesizer}, {"Harlix In/Out", Kind::HardwarePort},
        {"Virtual Raw MIDI", Kind::Software},   {"Broken Port", Kind::CapsFail},
        {"MIDI Mapper", Kind::Mapper},          {"USB MIDI Cable", Kind::HardwarePort},
    };

    EXPECT_EQ(names(listHardwarePorts(output)), (Calls{"1 Harlix In/Out", "5 USB MIDI Cable"}));
    // The count is asked before every device; the mapper's id is never asked for.
    EXPECT_EQ(output.calls, (Calls{"count", "caps 0", "count", "caps 1", "count", "caps 2", "count", "caps 3",
                                   "count", "caps 4", "count", "caps 5", "count"}));
}

TEST(MidiPortList, FollowsACountThatShrinksWhileItIsMade)
{
    ScriptedMidiOutput output;
    output.devices = {{"A", Kind::HardwarePort}, {"B", Kind::HardwarePort}, {"C", Kind::HardwarePort}};
    output.deviceCounts = {3, 3, 1};

    EXPECT_EQ(names(listHardwarePorts(output)), (Calls{"0 A", "1 B"}));
}

TEST(MidiPortList, NamesAreCutToThirtyOneCharacters)
{
    ScriptedMidiOutput output;
    const std::string longName = "Harlix Synthesizer MIDI Interface Port 1";
    output.devices = {{longName, Kind::HardwarePort}, {longName.substr(0, 31), Kind::HardwarePort}};

    EXPECT_EQ(names(listHardwarePorts(output)), (Calls{"0 " + longName.substr(0, 31), "1 " + longName.substr(0, 31)}));
}

class MidiSenderTest : public ::testing::Test {
protected:
    MidiSenderTest()
    {
        wave.loaded = true;
        for (int i = 0; i < waveshapeSampleCount; ++i)
            wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i * 517 - 32768);
        output.devices = {{"Harlix MIDI 1", Kind::HardwarePort}, {"Harlix MIDI 2", Kind::HardwarePort}};
        output.errorTexts = {{4, "The device is already in use."}, {7, "The device was removed."}};
    }

    ScriptedMidiOutput output;
    Waveshape wave;
    MidiSender sender{output};
};

TEST_F(MidiSenderTest, ThePortAndWaveNumberDecideWhereTheDumpGoes)
{
    sender.send(wave, 2, 127);

    ASSERT_EQ(output.sentMessages.size(), 1u);
    EXPECT_EQ(output.calls[1], "open 2");
    const std::vector<std::uint8_t> sent = output.sentMessages[0];
    ASSERT_EQ(sent.size(), WaveDumpMessage::length);
    EXPECT_EQ(sent[5], 0x7F);
    const auto expected = WaveDumpMessage::build(wave, 127);
    EXPECT_EQ(sent, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    // The port reads the process-wide dump buffer in place.
    EXPECT_EQ(output.sentAddresses[0], WaveDumpMessage::dumpBuffer().data());
}

TEST_F(MidiSenderTest, ASendBeforeAnyLoadDoesNothingAtAll)
{
    wave.loaded = false;

    EXPECT_EQ(sender.send(wave, 0, 96).result, SendResult::notLoaded);

    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(output.signalsCreated, 0);
}

TEST_F(MidiSenderTest, TheSignalIsCreatedOnceAndEachSendOpensAndClosesThePortItself)
{
    sender.send(wave, 0, 96);
    output.openResult = 4;
    sender.send(wave, 0, 96);
    output.openResult = midiSuccess;
    sender.send(wave, -1, 96);

    EXPECT_EQ(output.signalsCreated, 1);
    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "prepare", "resetSignal", "sendLong", "wait 30000",
                                   "unprepare", "pause 100", "close", "open 0", "errorText 4 99", "open -1",
                                   "prepare", "resetSignal", "sendLong", "wait 30000", "unprepare", "pause 100",
                                   "close"}));
}

TEST_F(MidiSenderTest, AStaleSignalFromTheOpenOrAnEarlierSendDoesNotEndTheWait)
{
    output.completionComes = false;
    output.setSignals();

    sender.send(wave, 0, 96);

    // Only a port reset after the time-out proves the wait did not end early.
    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "prepare", "resetSignal", "sendLong", "wait 30000",
                                   "reset", "unprepare", "pause 100", "close"}));
}

TEST_F(MidiSenderTest, ASendLeavesTheWaveAsItWas)
{
    const Waveshape before = wave;

    sender.send(wave, 1, 99);

    EXPECT_EQ(wave.samples, before.samples);
    EXPECT_EQ(wave.undo, before.undo);
    EXPECT_TRUE(wave.loaded);
}

// One row per way a send can end: what the port does, the calls it sees and
// what the user is told.
struct Ending {
    const char* name;
    MidiResult openResult;
    MidiResult sendLongResult;
    bool completionComes;
    Calls calls;
    const char* message;
    SendResult result;
};

const std::vector<Ending> endings = {
    {"Completed", 0, 0, true,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "unprepare", "pause 100", "close"}, "",
     SendResult::sent},
    {"TimedOutAfterTheMessageWasTaken", 0, 0, false,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "reset", "unprepare", "pause 100", "close"}, "",
     SendResult::timedOut},
    {"OpenFailed", 4, 0, true, {"open 0", "errorText 4 99"},
     "Error: Failed to open the specified MIDI port. The device is already in use.", SendResult::openFailed},
    {"LongMessageRefused", 0, 7, true,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "reset", "errorText 7 99", "unprepare",
      "pause 100", "close"},
     "Error: Failed to send the MIDI SysEx message to the synthesizer. The device was removed.", SendResult::refused},
    {"LongMessageRefusedWithoutText", 0, 9, true,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "reset", "errorText 9 99", "unprepare",
      "pause 100", "close"},
     "Error: Failed to send the MIDI SysEx message to the synthesizer. ", SendResult::refused},
    {"OpenFailedWithoutText", 9, 0, true, {"open 0", "errorText 9 99"},
     "Error: Failed to open the specified MIDI port. ", SendResult::openFailed},
};

class MidiSenderEndingTest : public MidiSenderTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(MidiSenderEndingTest, EndsWithTheseCallsAndThisMessage)
{
    const Ending& ending = GetParam();
    output.openResult = ending.openResult;
    output.sendLongResult = ending.sendLongResult;
    output.completionComes = ending.completionComes;

    const SendOutcome outcome = sender.send(wave, 0, 96);

    EXPECT_EQ(outcome.result, ending.result);
    EXPECT_EQ(outcome.message(), ending.message);
    Calls expected = ending.calls;
    expected.insert(expected.begin(), "createSignal");
    EXPECT_EQ(output.calls, expected);
    EXPECT_FALSE(output.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Sends, MidiSenderEndingTest, ::testing::ValuesIn(endings), CaseNames::byName);

TEST_F(MidiSenderTest, TheOutputsNoteOnTheOpenPortComesWithADumpThePortTookOnly)
{
    output.note = "sent another way";
    EXPECT_EQ(sender.send(wave, 0, 96).note, "sent another way");

    output.sendLongResult = 7;
    EXPECT_EQ(sender.send(wave, 0, 96).note, "");
}

TEST_F(MidiSenderTest, ErrorTextsAreCutAt98Characters)
{
    const std::string longText(120, 'x');
    output.errorTexts = {{4, longText}, {7, longText}};
    output.openResult = 4;
    const SendOutcome notOpened = sender.send(wave, 0, 96);
    output.openResult = midiSuccess;
    output.sendLongResult = 7;
    const SendOutcome refused = sender.send(wave, 0, 96);

    EXPECT_EQ(notOpened.message(), std::string(MidiSenderMessages::openFailed) + longText.substr(0, 98));
    EXPECT_EQ(refused.message(), std::string(MidiSenderMessages::sendFailed) + longText.substr(0, 98));
}

} // namespace
