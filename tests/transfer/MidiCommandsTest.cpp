// wavedump's ports, send and send-syx run as a user runs them, on a machine
// without a sound card: nothing is listed, and every send ends at the open of the
// system's default port with the MIDI system's own reason.
#include "tests/support/CaseNames.h"
#include "FileBytes.h"
#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "Subprocess.h"
#include "WavBytes.h"

#include "transfer/MidiOutput.h"
#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

using Outcome = Subprocess::Result;

std::vector<std::uint8_t> dumpFor(int slot)
{
    Waveshape wave;
    for (int i = 0; i < waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(32767 - i * 511);
    const auto dump = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(slot - 1));
    return {dump.begin(), dump.end()};
}

// What the open of the system's default port answers here, as a send tells it.
std::string openFailureLine()
{
    const auto output = makeSystemMidiOutput();
    const auto signal = output->createCompletionSignal();
    const MidiResult result = output->open(defaultMidiDevice, *signal);
    if (result == midiSuccess) {
        output->close();
        return {};
    }
    char text[100] = {};
    output->errorText(result, text, 99);
    return std::string(MidiSenderMessages::openFailed) + text + "\n";
}

class WavedumpMidiCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        int card = -1;
        if (snd_card_next(&card) == 0 && card >= 0)
            GTEST_SKIP() << "this machine has a sound card";
        scratch = std::make_unique<ScratchDirectory>();
        folder = scratch->path();
        // 128 samples of 16-bit mono PCM, which load verbatim.
        wav = scratch->write("wave.wav", WavBytes::monoWav(SampleRuns::ramp(128, -32000, 500)));
    }

    static Outcome run(const std::vector<std::string>& args)
    {
        std::vector<std::string> command{WAVEDUMP_PROGRAM};
        command.insert(command.end(), args.begin(), args.end());
        return Subprocess::run(command);
    }

    std::unique_ptr<ScratchDirectory> scratch;
    fs::path folder;
    fs::path wav;
};

TEST_F(WavedumpMidiCommands, PortsListsNothingWithoutHardwarePortsAndSaysSo)
{
    const Outcome listed = run({"ports"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, "");
    EXPECT_EQ(listed.err, "wavedump ports: no hardware MIDI output port was found\n");

    const Outcome extra = run({"ports", "0"});
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_EQ(extra.out, "");
    EXPECT_EQ(extra.err, "wavedump ports: unexpected argument '0'\n");

    const Outcome option = run({"ports", "--port", "0"});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_EQ(option.err, "wavedump ports: unknown option '--port'\n");
}

TEST_F(WavedumpMidiCommands, EachCommandDescribesItselfWithHelp)
{
    const std::pair<const char*, const char*> firstLines[] = {
        {"ports", "usage: wavedump ports\n"},
        {"send", "usage: wavedump send FILE... --slot N [--from SLOT] [--port ID] [--op OP]...\n"},
        {"send-syx", "usage: wavedump send-syx FILE.syx [--from SLOT] [--port ID]\n"},
    };
    for (const auto& [command, firstLine] : firstLines) {
        const Outcome help = run({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.out.substr(0, std::strlen(firstLine)), firstLine);
        EXPECT_EQ(help.err, "") << command;
    }
}

TEST_F(WavedumpMidiCommands, SendTellsTheOpenFailureWithTheSystemsReason)
{
    const std::string expected = openFailureLine();
    ASSERT_FALSE(expected.empty());
    ASSERT_GT(expected.size(), std::string(MidiSenderMessages::openFailed).size() + 1) << "no reason given";

    const Outcome sent = run({"send", wav.string(), "--slot", "97"});
    EXPECT_EQ(sent.exitCode, 1);
    EXPECT_EQ(sent.out, "");
    EXPECT_EQ(sent.err, expected);

    const Outcome edited = run({"send", wav.string(), "--slot", "128", "--op", "random-pd", "--seed", "7"});
    EXPECT_EQ(edited.exitCode, 1);
    EXPECT_EQ(edited.err, expected);
}

TEST_F(WavedumpMidiCommands, SendOfAFileThatDoesNotLoadTellsTheLoaderAndOpensNothing)
{
    const Outcome sent = run({"send", (folder / "missing.wav").string(), "--slot", "97"});

    EXPECT_EQ(sent.exitCode, 1);
    EXPECT_EQ(sent.err.find("MIDI"), std::string::npos) << sent.err;
    EXPECT_FALSE(sent.err.empty());
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args; // "WAV" and "SYX" stand for test files
    const char* err;
};

const std::vector<UsageCase> usageCases = {
    {"SendWithoutSlot", {"send", "WAV"}, "wavedump send: missing --slot N\n"},
    {"SendToAPortNotListed", {"send", "WAV", "--slot", "97", "--port", "0"},
     "wavedump send: --port must be the ID of a port that 'wavedump ports' lists, got '0' (none is listed)\n"},
    {"SendToAPortThatIsNoNumber", {"send", "WAV", "--slot", "97", "--port", "x1"},
     "wavedump send: --port must be the ID of a port that 'wavedump ports' lists, got 'x1' (none is listed)\n"},
    {"SendWithTwoPorts", {"send", "WAV", "--slot", "97", "--port", "0", "--port", "1"},
     "wavedump send: --port given twice\n"},
    {"SendSyxToAPortNotListed", {"send-syx", "SYX", "--port", "3"},
     "wavedump send-syx: --port must be the ID of a port that 'wavedump ports' lists, got '3' (none is listed)\n"},
    {"SendSyxWithASlot", {"send-syx", "SYX", "--slot", "97"}, "wavedump send-syx: unknown option '--slot'\n"},
    {"SendSyxWithoutFile", {"send-syx"}, "wavedump send-syx: missing FILE\n"},
    {"SendPastSlot128", {"send", "WAV", "WAV", "--slot", "128"},
     "wavedump send: 2 files from slot 128 would pass slot 128\n"},
};

class WavedumpMidiUsage : public WavedumpMidiCommands, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(WavedumpMidiUsage, IsAUsageError)
{
    FileBytes::write(folder / "dump.syx", dumpFor(100));
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args) {
        if (arg == "WAV")
            arg = wav.string();
        else if (arg == "SYX")
            arg = (folder / "dump.syx").string();
    }

    const Outcome result = run(args);

    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(Commands, WavedumpMidiUsage, ::testing::ValuesIn(usageCases),
                         CaseNames::byName);

TEST_F(WavedumpMidiCommands, SendSyxSendsAGoodDumpOrBankAsFarAsTheOpen)
{
    auto bank = dumpFor(100);
    const auto next = dumpFor(101);
    bank.insert(bank.end(), next.begin(), next.end());
    for (const auto& bytes : {dumpFor(97), dumpFor(128), bank}) {
        const int slot = bytes[5] + 1;
        FileBytes::write(folder / "dump.syx", bytes);

        const Outcome sent = run({"send-syx", (folder / "dump.syx").string()});

        EXPECT_EQ(sent.exitCode, 1) << slot;
        const std::string count = bytes.size() > 300
            ? "wavedump send-syx: 0 of 2 dumps sent; stopped at slot 100; resume with --from 100\n"
            : "";
        // Into a pipe, as here, no progress line comes before the failure.
        EXPECT_EQ(sent.err, openFailureLine() + count) << slot;
    }
}

struct BadDump {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* problem; // after "wavedump send-syx: 'PATH' "
};

std::vector<BadDump> badDumps()
{
    std::vector<BadDump> cases;
    const auto good = dumpFor(97);
    const char* notADump = "is not a waveshape dump for a user slot 97 to 128; nothing sent\n";
    cases.push_back(
        {"Empty", {}, "has 0 bytes, not one 300-byte waveshape dump or a bank of up to 32; nothing sent\n"});
    cases.push_back({"OneByteShort", {good.begin(), good.end() - 1},
                     "has 299 bytes, not one 300-byte waveshape dump or a bank of up to 32; nothing sent\n"});
    auto twoAndAByte = good;
    twoAndAByte.insert(twoAndAByte.end(), good.begin(), good.end());
    twoAndAByte.push_back(0xF7);
    cases.push_back({"TwoDumpsAndAByte", twoAndAByte,
                     "has 601 bytes, not one 300-byte waveshape dump or a bank of up to 32; nothing sent\n"});
    auto factorySlot = good;
    factorySlot[5] = 0x5F; // slot 96
    cases.push_back({"FactorySlot", factorySlot, notADump});
    auto topBit = good;
    topBit[150] |= 0x80;
    cases.push_back({"DataByteWithTopBit", topBit, notADump});
    auto otherMaker = good;
    otherMaker[1] = 0x41;
    cases.push_back({"OtherManufacturer", otherMaker, notADump});
    auto unterminated = good;
    unterminated[299] = 0x00;
    cases.push_back({"NoEndOfExclusive", unterminated, notADump});
    return cases;
}

class WavedumpBadDump : public WavedumpMidiCommands, public ::testing::WithParamInterface<BadDump> {};

TEST_P(WavedumpBadDump, IsRefusedWithNothingSent)
{
    const fs::path path = folder / "bad.syx";
    FileBytes::write(path, GetParam().bytes);

    const Outcome result = run({"send-syx", path.string()});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    // Refused before the MIDI system is touched: no open failure follows.
    EXPECT_EQ(result.err, "wavedump send-syx: '" + path.string() + "' " + GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Files, WavedumpBadDump, ::testing::ValuesIn(badDumps()),
                         CaseNames::byName);

// A FIFO without a writer, a folder or a device is refused before it is read,
// so nothing can hold the command; a long file is not read whole.
TEST_F(WavedumpMidiCommands, SendSyxReadsOnlyARegularFile)
{
    const fs::path fifo = folder / "fifo.syx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& path : {fifo, folder, fs::path("/dev/zero")}) {
        const Outcome result = run({"send-syx", path.string()});

        EXPECT_EQ(result.exitCode, 1) << path;
        EXPECT_EQ(result.out, "") << path;
        EXPECT_EQ(result.err, "wavedump send-syx: cannot read '" + path.string() + "': not a regular file\n");
    }

    const fs::path large = folder / "large.syx";
    FileBytes::write(large, std::vector<std::uint8_t>(100000, 0xF0));
    const Outcome result = run({"send-syx", large.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
        "wavedump send-syx: '" + large.string()
            + "' has 100000 bytes, not one 300-byte waveshape dump or a bank of up to 32; nothing sent\n");
}

TEST_F(WavedumpMidiCommands, SendSyxOfAMissingFileTellsWhy)
{
    const fs::path path = folder / "missing.syx";

    const Outcome result = run({"send-syx", path.string()});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "wavedump send-syx: cannot read '" + path.string() + "': No such file or directory\n");
}

} // namespace
