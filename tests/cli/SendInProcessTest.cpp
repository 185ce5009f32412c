// wavedump's ports, send and send-syx run in process on the scripted MIDI
// output: which port they open, and the very bytes they hand it.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"
#include "InProcessRun.h"
#include "ScriptedMidiOutput.h"

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

using Kind = ScriptedMidiOutput::DeviceKind;

const std::string saw = sourceFile("examples/saw.wav").string();

// A synthesizer at id 0, then two hardware ports.
class SendInProcess : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        midi.devices = {{"Synth", Kind::Synthesizer}, {"Port A", Kind::HardwarePort}, {"Port B", Kind::HardwarePort}};
    }

    // The dump that `wavedump syx` writes for the file and slot.
    std::string syxBytes(const std::string& wav, int slot)
    {
        ScriptedMidiOutput unused;
        const InProcessResult written = runInProcess({"syx", wav, "--slot", std::to_string(slot), "-o", "-"}, unused);
        EXPECT_EQ(written.exitCode, 0) << written.err;
        return written.out;
    }

    [[nodiscard]] std::vector<std::string> opens() const
    {
        std::vector<std::string> found;
        for (const std::string& call : midi.calls)
            if (call.rfind("open ", 0) == 0)
                found.push_back(call);
        return found;
    }

    [[nodiscard]] std::string sent(std::size_t index) const
    {
        const auto& message = midi.sentMessages.at(index);
        return {message.begin(), message.end()};
    }

    ScriptedMidiOutput midi;
};

struct Slot {
    const char* name;
    int slot;
    unsigned char slotByte;
};

class SendInProcessSlots : public SendInProcess, public ::testing::WithParamInterface<Slot> {};

TEST_P(SendInProcessSlots, SendHandsThePortTheDumpForTheSlot)
{
    const std::string expected = syxBytes(saw, GetParam().slot);
    ASSERT_EQ(expected.size(), 300u);
    EXPECT_EQ(expected.substr(0, 5), std::string("\xF0\x01\x20\x01\x0A"));

    const std::string slot = std::to_string(GetParam().slot);
    const InProcessResult run = runInProcess({"send", saw, "--slot", slot, "--port", "2"}, midi);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(opens(), std::vector<std::string>{"open 2"});
    ASSERT_EQ(midi.sentMessages.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(sent(0)[5]), GetParam().slotByte);
    EXPECT_EQ(sent(0), expected);
    EXPECT_FALSE(midi.isOpen());
}

TEST_P(SendInProcessSlots, SendSyxHandsThePortTheFilesBytes)
{
    const fs::path dump = makeFile("dump.syx", syxBytes(saw, GetParam().slot));

    const InProcessResult run = runInProcess({"send-syx", dump.string()}, midi);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Without --port: the first listed port.
    EXPECT_EQ(opens(), std::vector<std::string>{"open 1"});
    ASSERT_EQ(midi.sentMessages.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(sent(0)[5]), GetParam().slotByte);
    EXPECT_EQ(sent(0), FileBytes::read(dump));
}

INSTANTIATE_TEST_SUITE_P(Cli, SendInProcessSlots,
    ::testing::Values(Slot{"First", 97, 0x60}, Slot{"Middle", 112, 0x6F}, Slot{"Last", 128, 0x7F}),
    CaseNames::byName);

TEST_F(SendInProcess, PortsListsTheHardwarePortsWithTheirIds)
{
    const InProcessResult run = runInProcess({"ports"}, midi);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "1\tPort A\n2\tPort B\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(opens().empty());
}

TEST_F(SendInProcess, AFailedOpenIsToldWithTheSystemsReason)
{
    midi.openResult = 16;
    midi.errorTexts[16] = "Device or resource busy";

    const InProcessResult run = runInProcess({"send", saw, "--slot", "97", "--port", "1"}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Error: Failed to open the specified MIDI port. Device or resource busy\n");
    EXPECT_TRUE(midi.sentMessages.empty());
}

// The port refused the dump: the system's reason, exit 1. The port took it but
// never finished: still exit 0, as the desktop program stays silent, with a
// warning that the dump may not have arrived whole.
TEST_F(SendInProcess, ARefusedDumpFailsAndAnUnfinishedOneWarns)
{
    midi.sendLongResult = 7;
    midi.errorTexts[7] = "Input/output error";
    InProcessResult run = runInProcess({"send", saw, "--slot", "97", "--port", "1"}, midi);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Error: Failed to send the MIDI SysEx message to the synthesizer. Input/output error\n");

    midi.sendLongResult = 0;
    midi.completionComes = false;
    run = runInProcess({"send", saw, "--slot", "97", "--port", "1"}, midi);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "wavedump send: warning: the port did not finish sending within 30 seconds; "
                       "the dump may not have arrived whole\n");
}

// Devices this user may not open are missing from the list; the user is told
// why and what helps, and nothing else changes.
class DevicesKeptFromTheUser : public SendInProcess {
protected:
    void SetUp() override
    {
        SendInProcess::SetUp();
        midi.devices.clear();
        midi.access = MidiAccessProblem{6, "audio"};
    }

    const std::string notice = "6 MIDI devices here may not be opened by this user; members of the group 'audio' "
                               "may (sudo usermod -aG audio $USER, then log in again)";
};

TEST_F(DevicesKeptFromTheUser, PortsSaysSoInOneLine)
{
    const InProcessResult run = runInProcess({"ports"}, midi);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "wavedump ports: " + notice + "\n");
}

TEST_F(DevicesKeptFromTheUser, PortsStillListsThePortsTheUserMayOpen)
{
    midi.devices = {{"Open to all", Kind::HardwarePort}};
    midi.access = MidiAccessProblem{1, ""};

    const InProcessResult run = runInProcess({"ports"}, midi);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0\tOpen to all\n");
    EXPECT_EQ(run.err, "wavedump ports: 1 MIDI device here may not be opened by this user; ask the administrator "
                       "for access to the sound devices\n");
}

TEST_F(DevicesKeptFromTheUser, SendToAPortNotListedSaysWhyInsteadOfNoneIsListed)
{
    for (const char* command : {"send", "send-syx"}) {
        const fs::path dump = makeFile("dump.syx", syxBytes(saw, 100));
        const std::vector<std::string> args = std::string(command) == "send"
            ? std::vector<std::string>{"send", saw, "--slot", "97", "--port", "66"}
            : std::vector<std::string>{"send-syx", dump.string(), "--port", "66"};

        const InProcessResult run = runInProcess(args, midi);

        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_EQ(run.err, "wavedump " + std::string(command)
                + ": --port must be the ID of a port that 'wavedump ports' lists, got '66' (" + notice + ")\n");
    }
    EXPECT_TRUE(opens().empty());
}

TEST_F(DevicesKeptFromTheUser, AFailedSendToTheDefaultPortNamesTheRemedy)
{
    midi.openResult = 13;
    midi.errorTexts[13] = "Permission denied";

    const InProcessResult run = runInProcess({"send", saw, "--slot", "97"}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(opens(), std::vector<std::string>{"open -1"});
    EXPECT_EQ(run.err,
        "Error: Failed to open the specified MIDI port. Permission denied\nwavedump send: " + notice + "\n");
}

} // namespace
