// The ALSA output's sends to a port that another program holds, against a
// stand-in for the ways to a port: round it through the sequencer when the
// sequencer has a port for it, else a failure that names the holder.
#include "tests/support/CaseNames.h"
#include "ScriptedAlsaCards.h"
#include "ScriptedAlsaPortAccess.h"

#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"
#include "transfer/alsa/AlsaMidiOutput.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

using Calls = std::vector<std::string>;

// Device id 67: the USB interface's second output, hw:2,0,1.
constexpr int secondUsbPort = 67;
const Calls heldAndShared = {"raw hw:2,0,1", "holder 2,0,1", "sequencer 2,0,1"};

struct HeldPort {
    const char* name;
    int deviceId;
    MidiResult rawMidi;
    MidiResult sequencer;
    MidiResult sequencerWrite;
    std::optional<AlsaPortHolder> holder;
    Calls calls;
    SendResult result;
    const char* message;
    const char* note;
    std::size_t sequencerMessages;
};

const std::vector<HeldPort> heldPorts = {
    {"FreePort", secondUsbPort, 0, 0, 0, std::nullopt, {"raw hw:2,0,1"}, SendResult::sent, "", "", 0},
    {"RefusedForAnotherReason", secondUsbPort, EACCES, 0, 0, AlsaPortHolder{77, "amidi"}, {"raw hw:2,0,1"},
     SendResult::openFailed, "Error: Failed to open the specified MIDI port. Permission denied", "", 0},
    {"HeldThroughTheSequencerByARunningProgram", secondUsbPort, EBUSY, 0, 0, AlsaPortHolder{4242, "aseqdump"},
     heldAndShared, SendResult::sent, "", "sent through the ALSA sequencer (the port is held by aseqdump, process 4242)",
     1},
    {"HeldThroughAConnectionWhoseMakerEnded", secondUsbPort, EBUSY, 0, 0, AlsaPortHolder{4242, ""}, heldAndShared,
     SendResult::sent, "", "sent through the ALSA sequencer (the port is in use through the sequencer)", 1},
    {"HeldWithoutASequencerPort", secondUsbPort, EBUSY, ENOENT, 0, AlsaPortHolder{77, "amidi"}, heldAndShared,
     SendResult::openFailed, "Error: Failed to open the specified MIDI port. Device or resource busy (held by amidi, process 77)",
     "", 0},
    // A program that opened the raw MIDI port itself keeps the sequencer out as well.
    {"HeldWhereTheSequencerCannotConnect", secondUsbPort, EBUSY, EBUSY, 0, AlsaPortHolder{77, "sleep"}, heldAndShared,
     SendResult::openFailed, "Error: Failed to open the specified MIDI port. Device or resource busy (held by sleep, process 77)",
     "", 0},
    {"HeldByNoProgramTheSystemNames", secondUsbPort, EBUSY, ENOENT, 0, std::nullopt, heldAndShared,
     SendResult::openFailed, "Error: Failed to open the specified MIDI port. Device or resource busy", "", 0},
    {"TheSequencerRefusesTheDump", secondUsbPort, EBUSY, 0, ENOMEM, AlsaPortHolder{4242, "aseqdump"}, heldAndShared,
     SendResult::refused, "Error: Failed to send the MIDI SysEx message to the synthesizer. Cannot allocate memory", "",
     1},
    // The system's default port has no address to look for another way by.
    {"DefaultPortHeld", defaultMidiDevice, EBUSY, 0, 0, AlsaPortHolder{77, "amidi"}, {"raw default"},
     SendResult::openFailed, "Error: Failed to open the specified MIDI port. Device or resource busy", "", 0},
};

class AlsaHeldPort : public ::testing::TestWithParam<HeldPort> {};

TEST_P(AlsaHeldPort, IsSentRoundOrNamed)
{
    const HeldPort& row = GetParam();
    auto cards = std::make_unique<ScriptedAlsaCards>();
    cards->cards = usbGadgetMachine();
    auto owned = std::make_unique<ScriptedAlsaPortAccess>();
    ScriptedAlsaPortAccess& access = *owned;
    access.rawMidiResult = row.rawMidi;
    access.sequencerResult = row.sequencer;
    access.sequencerWriteResult = row.sequencerWrite;
    access.portHolder = row.holder;
    const auto output = makeAlsaMidiOutput(std::move(cards), std::move(owned));
    MidiSender sender(*output);
    Waveshape wave;
    wave.loaded = true;

    const SendOutcome outcome = sender.send(wave, row.deviceId, 96);

    EXPECT_EQ(access.calls, row.calls);
    EXPECT_EQ(outcome.result, row.result);
    EXPECT_EQ(outcome.message(), row.message);
    EXPECT_EQ(outcome.note, row.note);
    const auto dump = WaveDumpMessage::build(wave, 96);
    EXPECT_EQ(access.sequencerMessages,
              std::vector<std::vector<std::uint8_t>>(row.sequencerMessages, {dump.begin(), dump.end()}));
}

INSTANTIATE_TEST_SUITE_P(Sends, AlsaHeldPort, ::testing::ValuesIn(heldPorts), CaseNames::byName);

} // namespace
