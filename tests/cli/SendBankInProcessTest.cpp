// Banks in process on the scripted MIDI output: `send` with several files and
// `send-syx` of a bank file, each dump one send of its own, in order, and
// nothing at all sent when any file or dump is wrong; --from, and what a
// terminal is shown while a bank goes out.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"
#include "InProcessRun.h"
#include "LoaderMessages.h"
#include "ScriptedMidiOutput.h"

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

using Kind = ScriptedMidiOutput::DeviceKind;

const std::string saw = sourceFile("examples/saw.wav").string();
const std::string sine = sourceFile("examples/sine.wav").string();
const std::string square = sourceFile("examples/square.wav").string();
const std::string triangle = sourceFile("examples/triangle.wav").string();

// What the port sees of one send, as the desktop program's Send makes it.
const std::vector<std::string> oneSend = {
    "open 1", "prepare", "resetSignal", "sendLong", "wait 30000", "unprepare", "pause 100", "close"};

// The dumps of two waves worked out by hand: all samples 0 pack to 293 zero
// bytes; all samples -1 (every sample byte 0xFF) to 36 groups of eight 0x7F and
// a last group 0F 7F 7F 7F 7F.
std::string zeroDump(unsigned char slotByte)
{
    return std::string("\xF0\x01\x20\x01\x0A", 5) + static_cast<char>(slotByte) + std::string(293, '\0') + "\xF7";
}

std::string minusOneDump(unsigned char slotByte)
{
    return std::string("\xF0\x01\x20\x01\x0A", 5) + static_cast<char>(slotByte) + std::string(288, '\x7F')
        + "\x0F\x7F\x7F\x7F\x7F\xF7";
}

class SendBank : public CliTest {
protected:
    void SetUp() override
    {
        midi.devices = {{"Synth", Kind::Synthesizer}, {"Port A", Kind::HardwarePort}, {"Port B", Kind::HardwarePort}};
        zeros = makeFile("zeros.wav", WavBytes::monoWav(std::vector<std::int16_t>(128, 0))).string();
        minusOnes = makeFile("minus-ones.wav", WavBytes::monoWav(std::vector<std::int16_t>(128, -1))).string();
    }

    // What `wavedump syx` writes for the files from the slot on.
    static std::string syxBytes(std::vector<std::string> files, int slot)
    {
        std::vector<std::string> args{"syx"};
        args.insert(args.end(), files.begin(), files.end());
        args.insert(args.end(), {"--slot", std::to_string(slot), "-o", "-"});
        ScriptedMidiOutput unused;
        const InProcessResult written = runInProcess(args, unused);
        EXPECT_EQ(written.exitCode, 0) << written.err;
        return written.out;
    }

    [[nodiscard]] std::string sent(std::size_t index) const
    {
        const auto& message = midi.sentMessages.at(index);
        return {message.begin(), message.end()};
    }

    [[nodiscard]] std::vector<unsigned> slotBytes() const
    {
        std::vector<unsigned> found;
        for (const auto& message : midi.sentMessages)
            found.push_back(message.at(5));
        return found;
    }

    [[nodiscard]] int count(const std::string& call) const
    {
        return static_cast<int>(std::count(midi.calls.begin(), midi.calls.end(), call));
    }

    ScriptedMidiOutput midi;
    std::string zeros;
    std::string minusOnes;
};

TEST_F(SendBank, EachFileIsOneSendToTheNextSlotInTheOrderGiven)
{
    const InProcessResult run = runInProcess({"send", zeros, minusOnes, saw, "--slot", "97", "--port", "1"}, midi);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(midi.sentMessages.size(), 3u);
    EXPECT_EQ(slotBytes(), (std::vector<unsigned>{0x60, 0x61, 0x62}));
    EXPECT_EQ(sent(0), zeroDump(0x60));
    EXPECT_EQ(sent(1), minusOneDump(0x61));
    EXPECT_EQ(sent(2), syxBytes({saw}, 99));

    // One completion signal for the run; the port opened and closed per dump.
    std::vector<std::string> expected{"createSignal"};
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), oneSend.begin(), oneSend.end());
    const auto firstSignal = std::find(midi.calls.begin(), midi.calls.end(), "createSignal");
    EXPECT_EQ(std::vector<std::string>(firstSignal, midi.calls.end()), expected);
    EXPECT_FALSE(midi.isOpen());
}

// The bank that arrives is the bank that syx writes for the same files.
TEST_F(SendBank, ArrivesAsSyxWritesTheBank)
{
    const InProcessResult run = runInProcess({"send", saw, sine, square, triangle, "--slot", "125"}, midi);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(slotBytes(), (std::vector<unsigned>{0x7C, 0x7D, 0x7E, 0x7F}));
    std::string arrived;
    for (std::size_t i = 0; i < midi.sentMessages.size(); ++i)
        arrived += sent(i);
    EXPECT_EQ(arrived.size(), 1200u);
    EXPECT_EQ(arrived, syxBytes({saw, sine, square, triangle}, 125));
}

TEST_F(SendBank, PassingSlot128IsAUsageErrorAndTouchesNoPort)
{
    const InProcessResult run = runInProcess({"send", saw, sine, square, triangle, "--slot", "126"}, midi);

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "wavedump send: 4 files from slot 126 would pass slot 128\n");
    EXPECT_TRUE(midi.calls.empty());
}

TEST_F(SendBank, NothingIsSentWhenTheThirdFileDoesNotLoad)
{
    const std::string missing = file("missing.wav").string();
    const std::string notWav = makeFile("notes.wav", "not a wave at all, only words").string();

    const InProcessResult run =
        runInProcess({"send", saw, sine, missing, square, notWav, "--slot", "100", "--port", "2"}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    // Named as syx names them, every one that failed.
    EXPECT_EQ(run.err, missing + ": " + ExpectedMessage::cannotOpen + "\n" + notWav + ": " + ExpectedMessage::notWav
            + "\n");
    EXPECT_EQ(count("open 2"), 0);
    EXPECT_TRUE(midi.sentMessages.empty());
}

struct MiddleFailure {
    const char* name;
    std::vector<MidiResult> openResults;
    std::vector<MidiResult> sendLongResults;
    std::vector<unsigned> handedSlotBytes; // of the dumps handed to the port, refused ones included
    const char* err;
};

class SendBankStops : public SendBank, public ::testing::WithParamInterface<MiddleFailure> {};

TEST_P(SendBankStops, AtTheFirstFailureAndSaysHowManyWentOut)
{
    midi.openResults = GetParam().openResults;
    midi.sendLongResults = GetParam().sendLongResults;
    midi.errorTexts[16] = "Device or resource busy";
    midi.errorTexts[7] = "Input/output error";

    const InProcessResult run = runInProcess({"send", saw, sine, square, triangle, zeros, "--slot", "100"}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(slotBytes(), GetParam().handedSlotBytes);
    EXPECT_FALSE(midi.isOpen());
    // Every port that opened was closed; none opened after the failure.
    EXPECT_EQ(count("close"), count("prepare"));
}

INSTANTIATE_TEST_SUITE_P(Cli, SendBankStops,
    ::testing::Values(
        MiddleFailure{"ThirdOpenFails", {0, 0, 16}, {}, {0x63, 0x64},
            "Error: Failed to open the specified MIDI port. Device or resource busy\n"
            "wavedump send: 2 of 5 dumps sent; stopped at slot 102; resume with --from 102\n"},
        MiddleFailure{"SecondDumpRefused", {}, {0, 7}, {0x63, 0x64},
            "Error: Failed to send the MIDI SysEx message to the synthesizer. Input/output error\n"
            "wavedump send: 1 of 5 dumps sent; stopped at slot 101; resume with --from 101\n"},
        MiddleFailure{"FirstOpenFails", {16}, {}, {},
            "Error: Failed to open the specified MIDI port. Device or resource busy\n"
            "wavedump send: 0 of 5 dumps sent; stopped at slot 100; resume with --from 100\n"}),
    CaseNames::byName);

// A port that takes a dump but never finishes is no failure: the run goes on,
// and the warning says which slot's dump may not have arrived whole.
TEST_F(SendBank, AnUnfinishedDumpWarnsWithItsSlotAndTheRunGoesOn)
{
    midi.completionComes = false;

    const InProcessResult run = runInProcess({"send", saw, sine, "--slot", "127"}, midi);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(slotBytes(), (std::vector<unsigned>{0x7E, 0x7F}));
    EXPECT_EQ(run.err,
        "wavedump send: warning: the port did not finish sending the dump for slot 127 within 30 seconds; it may "
        "not have arrived whole\n"
        "wavedump send: warning: the port did not finish sending the dump for slot 128 within 30 seconds; it may "
        "not have arrived whole\n");
    EXPECT_EQ(count("reset"), 2);
}

// A port that another program holds takes the dumps another way: the user is
// told once, and the run is otherwise as usual.
TEST_F(SendBank, ADumpSentAnotherWayIsToldOnceForTheRun)
{
    midi.note = "sent through the ALSA sequencer (the port is held by qtractor, process 812)";

    const InProcessResult run = runInProcess({"send", saw, sine, "--slot", "97"}, midi);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(slotBytes(), (std::vector<unsigned>{0x60, 0x61}));
    EXPECT_EQ(run.err, "wavedump send: sent through the ALSA sequencer (the port is held by qtractor, process 812)\n");
}

TEST_F(SendBank, AFailureWhileDevicesAreKeptFromTheUserCountsThenNamesTheRemedy)
{
    midi.devices.clear();
    midi.access = MidiAccessProblem{6, "audio"};
    midi.openResult = 13;
    midi.errorTexts[13] = "Permission denied";

    const InProcessResult run = runInProcess({"send", saw, sine, "--slot", "97"}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
        "Error: Failed to open the specified MIDI port. Permission denied\n"
        "wavedump send: 0 of 2 dumps sent; stopped at slot 97; resume with --from 97\n"
        "wavedump send: 6 MIDI devices here may not be opened by this user; members of the group 'audio' may "
        "(sudo usermod -aG audio $USER, then log in again)\n");
}

// --- send-syx of a bank file ---

TEST_F(SendBank, SendSyxSendsEachDumpOfABankInTheFilesOrder)
{
    // Slots need not follow each other in a bank put together by hand.
    const fs::path bank = makeFile("bank.syx", minusOneDump(0x7F) + zeroDump(0x60) + syxBytes({saw}, 112));

    const InProcessResult run = runInProcess({"send-syx", bank.string(), "--port", "1"}, midi);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(midi.sentMessages.size(), 3u);
    EXPECT_EQ(slotBytes(), (std::vector<unsigned>{0x7F, 0x60, 0x6F}));
    EXPECT_EQ(sent(0) + sent(1) + sent(2), FileBytes::read(bank));
    EXPECT_EQ(count("open 1"), 3);
    EXPECT_EQ(count("close"), 3);
}

TEST_F(SendBank, SendSyxStopsAtAFailureAndSaysHowManyWentOut)
{
    const fs::path bank = makeFile("bank.syx", zeroDump(0x70) + zeroDump(0x71) + zeroDump(0x72));
    midi.openResults = {0, 16};
    midi.errorTexts[16] = "Device or resource busy";

    const InProcessResult run = runInProcess({"send-syx", bank.string()}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
        "Error: Failed to open the specified MIDI port. Device or resource busy\n"
        "wavedump send-syx: 1 of 3 dumps sent; stopped at slot 114; resume with --from 114\n");
    EXPECT_EQ(slotBytes(), std::vector<unsigned>{0x70});
}

struct BadBank {
    const char* name;
    std::size_t offset; // the byte changed
    unsigned char value;
    const char* problem; // after "'PATH': "
};

class SendSyxBadBank : public SendBank, public ::testing::WithParamInterface<BadBank> {};

TEST_P(SendSyxBadBank, IsRefusedWithNothingSentAndTheBadDumpNamed)
{
    std::string bytes = syxBytes({saw, sine, square}, 110);
    bytes.at(GetParam().offset) = static_cast<char>(GetParam().value);
    const fs::path bank = makeFile("bank.syx", bytes);

    const InProcessResult run = runInProcess({"send-syx", bank.string()}, midi);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "wavedump send-syx: '" + bank.string() + "': " + GetParam().problem + "\n");
    // Checked before the MIDI system is touched at all.
    EXPECT_TRUE(midi.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Cli, SendSyxBadBank,
    ::testing::Values(
        BadBank{"FactorySlotInTheFirst", 5, 0x5F,
            "dump 1 of 3, at byte 0, is not a waveshape dump for a user slot 97 to 128; nothing sent"},
        BadBank{"TopBitInTheSecond", 300 + 150, 0x81,
            "dump 2 of 3, at byte 300, is not a waveshape dump for a user slot 97 to 128; nothing sent"},
        BadBank{"NoEndInTheLast", 899, 0x00,
            "dump 3 of 3, at byte 600, is not a waveshape dump for a user slot 97 to 128; nothing sent"}),
    CaseNames::byName);

// A bank holds one dump per user slot at most; a longer file is no bank.
TEST_F(SendBank, SendSyxTakesUpToThirtyTwoDumps)
{
    std::string bank;
    for (int i = 0; i < 32; ++i)
        bank += i % 2 == 0 ? zeroDump(static_cast<unsigned char>(0x60 + i)) : minusOneDump(0x60);
    const fs::path full = makeFile("full.syx", bank);
    const fs::path over = makeFile("over.syx", bank + zeroDump(0x60));

    const InProcessResult fullRun = runInProcess({"send-syx", full.string()}, midi);
    EXPECT_EQ(fullRun.exitCode, 0) << fullRun.err;
    EXPECT_EQ(midi.sentMessages.size(), 32u);

    midi.clearRecord();
    const InProcessResult overRun = runInProcess({"send-syx", over.string()}, midi);
    EXPECT_EQ(overRun.exitCode, 1);
    EXPECT_EQ(overRun.err, "wavedump send-syx: '" + over.string()
            + "' has 9900 bytes, not one 300-byte waveshape dump or a bank of up to 32; nothing sent\n");
    EXPECT_TRUE(midi.calls.empty());
}

// --- --from, to resume a bank where a run stopped, and what a terminal shows ---

struct FromCase {
    const char* name;
    std::vector<std::string> args; // "BANK": dumps for slots 127, 97 and 112, in that order
    bool terminal;                 // what the run is told of standard error
    int exitCode;
    std::vector<unsigned> sentSlotBytes;
    std::string err;
};

class SendFrom : public SendBank, public ::testing::WithParamInterface<FromCase> {};

TEST_P(SendFrom, SkipsTheDumpsBeforeTheSlotOrIsAUsageError)
{
    const fs::path bank = makeFile("bank.syx", zeroDump(0x7E) + minusOneDump(0x60) + zeroDump(0x6F));
    std::vector<std::string> args = GetParam().args;
    std::replace(args.begin(), args.end(), std::string("BANK"), bank.string());

    const InProcessResult run = runInProcess(args, midi, GetParam().terminal);

    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(slotBytes(), GetParam().sentSlotBytes);
    // A usage error touches no port.
    EXPECT_EQ(midi.calls.empty(), GetParam().exitCode == 2);
}

// On a terminal each dump is named as it goes out, counted within the run
// that --from leaves.
INSTANTIATE_TEST_SUITE_P(Cli, SendFrom,
    ::testing::Values(
        FromCase{"SendFromTheThird", {"send", saw, sine, square, triangle, "--slot", "100", "--from", "102"}, false, 0,
            {0x65, 0x66}, ""},
        FromCase{"SendFromTheSecondOnATerminal", {"send", saw, sine, square, "--slot", "97", "--from", "98"}, true, 0,
            {0x61, 0x62}, "Sending 098 (1 of 2)...\nSending 099 (2 of 2)...\n"},
        FromCase{"SendFromBeforeTheRun", {"send", saw, sine, square, triangle, "--slot", "100", "--from", "99"}, false,
            2, {}, "wavedump send: --from must be a slot that this run sends (100 to 103), got '99'\n"},
        FromCase{"SendSyxFromTheSecondInTheFilesOrderOnATerminal", {"send-syx", "BANK", "--from", "97"}, true, 0,
            {0x60, 0x6F}, "Sending 097 (1 of 2)...\nSending 112 (2 of 2)...\n"},
        FromCase{"SendSyxFromASlotNotInTheFile", {"send-syx", "BANK", "--from", "128"}, false, 2, {},
            "wavedump send-syx: --from must be a slot that this run sends (127, 97, 112), got '128'\n"}),
    CaseNames::byName);

} // namespace
