#include "tests/support/CaseNames.h"
#include "RecordingMessagePresenter.h"
#include "ScriptedMidiOutput.h"

#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using Calls = std::vector<std::string>;
using Kind = ScriptedMidiOutput::DeviceKind;

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

    // The lists as the main dialog fills them at its start, then a clean record.
    void fillLists()
    {
        sender.fillWaveNumberList();
        sender.fillPortList();
        output.clearRecord();
    }

    void selectSlot(int slot) { waveNumbers.setCurrentIndex(slot - WaveDumpMessage::firstUserSlot); }

    ScriptedMidiOutput output;
    Waveshape wave;
    RecordingListControl ports;
    RecordingListControl waveNumbers;
    RecordingMessagePresenter boxes;
    MidiSender sender{output, wave, ports, waveNumbers, boxes};
};

TEST_F(MidiSenderTest, WaveNumberListOffersTheUserSlotsWithTheirWaveNumbersAndSelectsTheFirst)
{
    sender.fillWaveNumberList();

    ASSERT_EQ(waveNumbers.items.size(), 32u);
    for (std::size_t i = 0; i < 32; ++i) {
        char label[4];
        std::snprintf(label, sizeof label, "%03zu", 97 + i);
        EXPECT_EQ(waveNumbers.items[i].label, label);
        EXPECT_EQ(waveNumbers.items[i].data, static_cast<long>(96 + i));
    }
    EXPECT_EQ(waveNumbers.items.front().label, "097");
    EXPECT_EQ(waveNumbers.items.back().label, "128");
    EXPECT_EQ(waveNumbers.currentIndex(), 0);
}

TEST_F(MidiSenderTest, PortListShowsOnlyHardwarePortsInDeviceIdOrderWithTheirIds)
{
    output.devices = {
        {"Wavetable Synth", Kind::Synthesizer}, {"Harlix In/Out", Kind::HardwarePort},
        {"Virtual Raw MIDI", Kind::Software},   {"Broken Port", Kind::CapsFail},
        {"MIDI Mapper", Kind::Mapper},          {"USB MIDI Cable", Kind::HardwarePort},
    };

    sender.fillPortList();

    EXPECT_EQ(ports.labels(), (Calls{"Harlix In/Out", "USB MIDI Cable"}));
    EXPECT_EQ(ports.itemData(0), 1);
    EXPECT_EQ(ports.itemData(1), 5);
    EXPECT_EQ(ports.currentIndex(), 0);
    // The count is asked before every device; the mapper's id is never asked for.
    EXPECT_EQ(output.calls, (Calls{"count", "caps 0", "count", "caps 1", "count", "caps 2", "count", "caps 3",
                                   "count", "caps 4", "count", "caps 5", "count"}));
}

TEST_F(MidiSenderTest, PortListFollowsACountThatShrinksWhileItIsFilled)
{
    output.devices = {{"A", Kind::HardwarePort}, {"B", Kind::HardwarePort}, {"C", Kind::HardwarePort}};
    output.deviceCounts = {3, 3, 1};

    sender.fillPortList();

    EXPECT_EQ(ports.labels(), (Calls{"A", "B"}));
}

TEST_F(MidiSenderTest, PortNamesAreCutToThirtyOneCharacters)
{
    const std::string longName = "Harlix Synthesizer MIDI Interface Port 1";
    output.devices = {{longName, Kind::HardwarePort}, {longName.substr(0, 31), Kind::HardwarePort}};

    sender.fillPortList();

    ASSERT_EQ(ports.items.size(), 2u);
    EXPECT_EQ(ports.items[0].label, longName.substr(0, 31));
    EXPECT_EQ(ports.items[1].label, longName.substr(0, 31));
}

TEST_F(MidiSenderTest, WithoutHardwarePortsNothingIsSelectedAndASendOpensTheDefaultDevice)
{
    output.devices = {{"Wavetable Synth", Kind::Synthesizer}, {"MIDI Mapper", Kind::Mapper}};
    output.openResult = 4;
    fillLists();

    EXPECT_TRUE(ports.items.empty());
    EXPECT_EQ(ports.currentIndex(), -1);

    sender.send();

    EXPECT_EQ(output.calls, (Calls{"createSignal", "open -1", "errorText 4 99"}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Error: Failed to open the specified MIDI port. The device is already in use.");
}

TEST_F(MidiSenderTest, ACompletedSendRunsEveryStageInOrderAndShowsNothing)
{
    fillLists();

    sender.send();

    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "prepare", "resetSignal", "sendLong", "wait 30000",
                                   "unprepare", "pause 100", "close"}));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(output.isOpen());
}

TEST_F(MidiSenderTest, TheSelectedPortAndSlotDecideWhereTheDumpGoes)
{
    output.devices.push_back({"Third", Kind::HardwarePort});
    fillLists();
    ports.setCurrentIndex(2);
    selectSlot(128);

    sender.send();

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

TEST_F(MidiSenderTest, TheFirstSlotIsSentAsWaveNumber96)
{
    fillLists();

    sender.send();

    ASSERT_EQ(output.sentMessages.size(), 1u);
    EXPECT_EQ(output.sentMessages[0][5], 0x60);
}

TEST_F(MidiSenderTest, ASendBeforeAnyLoadDoesNothingAtAll)
{
    wave.loaded = false;
    fillLists();

    EXPECT_EQ(sender.send(), SendResult::notLoaded);

    EXPECT_TRUE(output.calls.empty());
    EXPECT_EQ(output.signalsCreated, 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MidiSenderTest, TheSignalIsCreatedOnceAndEachSendOpensAndClosesThePortItself)
{
    fillLists();

    sender.send();
    sender.send();

    EXPECT_EQ(output.signalsCreated, 1);
    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "prepare", "resetSignal", "sendLong", "wait 30000",
                                   "unprepare", "pause 100", "close", "open 0", "prepare", "resetSignal",
                                   "sendLong", "wait 30000", "unprepare", "pause 100", "close"}));
}

TEST_F(MidiSenderTest, APortThatDoesNotOpenGivesOneBoxAndTheNextSendTriesAgain)
{
    fillLists();
    output.openResult = 4;

    sender.send();

    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "errorText 4 99"}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    output.openResult = midiSuccess;
    output.clearRecord();

    sender.send();

    EXPECT_EQ(output.calls.front(), "open 0");
    EXPECT_EQ(output.calls.back(), "close");
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(MidiSenderTest, AStaleSignalFromTheOpenOrAnEarlierSendDoesNotEndTheWait)
{
    fillLists();
    output.completionComes = false;
    output.setSignals();

    sender.send();

    // Only a port reset after the time-out proves the wait did not end early.
    EXPECT_EQ(output.calls, (Calls{"createSignal", "open 0", "prepare", "resetSignal", "sendLong", "wait 30000",
                                   "reset", "unprepare", "pause 100", "close"}));
}

TEST_F(MidiSenderTest, ASendChangesNeitherTheWaveNorTheSelections)
{
    fillLists();
    ports.setCurrentIndex(1);
    selectSlot(100);
    const Waveshape before = wave;

    sender.send();

    EXPECT_EQ(wave.samples, before.samples);
    EXPECT_EQ(wave.undo, before.undo);
    EXPECT_TRUE(wave.loaded);
    EXPECT_EQ(ports.currentIndex(), 1);
    EXPECT_EQ(waveNumbers.currentIndex(), 3);
}

// One row per way a send can end: what the port does, the calls it sees and the box.
struct SendOutcome {
    const char* name;
    MidiResult openResult;
    MidiResult sendLongResult;
    bool completionComes;
    Calls calls;
    const char* boxText; // nullptr: no box
    SendResult result;
};

const std::vector<SendOutcome> sendOutcomes = {
    {"Completed", 0, 0, true,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "unprepare", "pause 100", "close"}, nullptr,
     SendResult::sent},
    {"TimedOutAfterTheMessageWasTaken", 0, 0, false,
     {"open 0", "prepare", "resetSignal", "sendLong", "wait 30000", "reset", "unprepare", "pause 100", "close"},
     nullptr, SendResult::timedOut},
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

class MidiSenderOutcomeTest : public MidiSenderTest, public ::testing::WithParamInterface<SendOutcome> {};

TEST_P(MidiSenderOutcomeTest, EndsWithTheseCallsAndThisBox)
{
    const SendOutcome& outcome = GetParam();
    fillLists();
    output.openResult = outcome.openResult;
    output.sendLongResult = outcome.sendLongResult;
    output.completionComes = outcome.completionComes;

    EXPECT_EQ(sender.send(), outcome.result);

    Calls expected = outcome.calls;
    expected.insert(expected.begin(), "createSignal");
    EXPECT_EQ(output.calls, expected);
    EXPECT_FALSE(output.isOpen());
    if (!outcome.boxText) {
        EXPECT_TRUE(boxes.boxes.empty());
        return;
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, outcome.boxText);
    EXPECT_EQ(boxes.boxes[0].caption, "Harlix Wave Dump");
    EXPECT_EQ(boxes.boxes[0].icon, MessageIcon::Error);
}

INSTANTIATE_TEST_SUITE_P(Sends, MidiSenderOutcomeTest, ::testing::ValuesIn(sendOutcomes),
                         CaseNames::byName);

TEST_F(MidiSenderTest, ErrorTextsAreCutAt98Characters)
{
    const std::string longText(120, 'x');
    output.errorTexts = {{4, longText}, {7, longText}};
    fillLists();
    output.openResult = 4;
    sender.send();
    output.openResult = midiSuccess;
    output.sendLongResult = 7;
    sender.send();

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, std::string(MidiSenderMessages::openFailed) + longText.substr(0, 98));
    EXPECT_EQ(boxes.boxes[1].text, std::string(MidiSenderMessages::sendFailed) + longText.substr(0, 98));
}

TEST_F(MidiSenderTest, TheErrorTextOfAnEarlierFailureDoesNotLeakIntoALaterOne)
{
    output.errorTexts = {{4, "The device is already in use."}};
    fillLists();
    output.openResult = 4;
    sender.send();
    output.openResult = 9; // no text
    sender.send();

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, "Error: Failed to open the specified MIDI port. ");
}

} // namespace
