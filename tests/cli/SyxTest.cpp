// `wavedump syx`: the 300-byte dump, its slot byte, where it is written, and
// that nothing partial is ever left behind.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "CliHarness.h"

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

struct SlotCase {
    const char* name;
    int slot;
    unsigned char waveNumber;
};

class SyxSlots : public CliTest, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SyxSlots, WritesTheDumpForTheSlot)
{
    const RunResult run = runWavedump({"syx", example("saw.wav"), "--slot", std::to_string(GetParam().slot), "-o",
        file("saw.syx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string bytes = FileBytes::read(file("saw.syx"));
    ASSERT_EQ(bytes.size(), 300u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[5]), GetParam().waveNumber);
    EXPECT_EQ(bytes, expectedDump(expectedWave("saw.wav"), GetParam().slot));
}

INSTANTIATE_TEST_SUITE_P(Cli, SyxSlots,
    ::testing::Values(SlotCase{"First", 97, 0x60}, SlotCase{"Middle", 112, 0x6F}, SlotCase{"Last", 128, 0x7F}),
    CaseNames::byName);

TEST_F(CliTest, SyxToStandardOutputIsTheBareDump)
{
    const RunResult run = runWavedump(
        {"syx", example("sine.wav"), "--slot", "100", "--op", "filter", "--op", "random-pd", "--seed", "5", "-o", "-"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expectedDump(expectedWave("sine.wav", {"filter", "random-pd"}, 5), 100));
}

TEST_F(CliTest, SyxReplacesAnExistingFileAndLeavesNoTemporary)
{
    makeFile("out.syx", "old");
    const RunResult run = runWavedump({"syx", example("square.wav"), "--slot", "97", "-o", file("out.syx")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(FileBytes::read(file("out.syx")), expectedDump(expectedWave("square.wav"), 97));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(CliTest, SyxLoadFailureKeepsTheOldFile)
{
    makeFile("out.syx", "old");
    const fs::path bad = makeFile("bad.wav", "not a wave");
    const RunResult run = runWavedump({"syx", bad, "--slot", "97", "-o", file("out.syx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, std::string(ExpectedMessage::notWav) + "\n");
    EXPECT_EQ(FileBytes::read(file("out.syx")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST_F(CliTest, SyxUnwritableOutputFailsWithOneLine)
{
    for (const fs::path& out : {file("no-such-folder") / "x.syx", fs::path("/proc/wavedump.syx")}) {
        const RunResult run = runWavedump({"syx", example("saw.wav"), "--slot", "97", "-o", out});
        EXPECT_EQ(run.exitCode, 1) << out;
        EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        EXPECT_TRUE(run.err.starts_with("wavedump syx: cannot write '" + out.string() + "'")) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

// Several files: consecutive slots from --slot, into a folder or one bank.
struct BatchCase {
    const char* name;
    std::string output; // relative to the test's folder; "-" is standard output
    bool folder;
};

class SyxBatch : public CliTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(SyxBatch, WritesConsecutiveSlots)
{
    const BatchCase& param = GetParam();
    if (param.output == "existing")
        fs::create_directory(file("existing"));
    const std::string out = param.output == "-" ? "-" : (folder_ / param.output).string();
    const std::vector<const char*> names{"saw.wav", "square.wav", "long-sine-600.wav"};
    const std::vector<const char*> written{"126-saw.syx", "127-square.syx", "128-long-sine-600.syx"};
    std::vector<std::string> args{"syx", "--slot", "126", "--op", "normalize", "-o", out};
    for (const char* name : names)
        args.push_back(example(name));
    const RunResult run = runWavedump(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    std::string bank;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int slot = 126 + static_cast<int>(i);
        const std::string dump = expectedDump(expectedWave(names[i], {"normalize"}), slot);
        if (param.folder) {
            const fs::path path = fs::path(out) / written[i];
            EXPECT_EQ(FileBytes::read(path), dump) << path;
        }
        bank += dump;
    }
    if (param.folder)
        EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 3);
    else if (param.output == "-")
        EXPECT_EQ(run.out, bank);
    else
        EXPECT_EQ(FileBytes::read(out), bank);
}

INSTANTIATE_TEST_SUITE_P(Cli, SyxBatch,
    ::testing::Values(BatchCase{"NewFolder", "dumps/", true}, BatchCase{"ExistingFolder", "existing", true},
        BatchCase{"BankFile", "bank.syx", false}, BatchCase{"BankToStandardOutput", "-", false}),
    CaseNames::byName);

TEST_F(CliTest, SyxBatchWritesNothingWhenAFileFails)
{
    const fs::path bad = makeFile("bad.wav", WavBytes::riff({WavBytes::formatChunk(1, 2, 16)}));
    fs::create_directory(file("dumps"));
    for (const fs::path& out : {file("dumps"), file("bank.syx")}) {
        const RunResult run = runWavedump({"syx", example("saw.wav"), bad, "--slot", "97", "-o", out});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, bad.string() + ": " + ExpectedMessage::notMonoPcm + "\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(fs::is_empty(file("dumps")));
    EXPECT_FALSE(fs::exists(file("bank.syx")));
}

// Slots below 100 get a leading zero, as the Wave # list shows them, so that
// the files sort by slot.
TEST_F(CliTest, SyxFolderNamesCarryThreeDigitSlots)
{
    const RunResult run = runWavedump({"syx", example("saw.wav"), example("sine.wav"), example("square.wav"),
                                       example("triangle.wav"), "--slot", "97", "-o", file("dumps/")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* name : {"097-saw.syx", "098-sine.syx", "099-square.syx", "100-triangle.syx"})
        EXPECT_EQ(FileBytes::read(file("dumps") / name).size(), 300u) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(file("dumps")), fs::directory_iterator()), 4);
}

TEST_F(CliTest, SyxBatchMayNotPassSlot128)
{
    const RunResult run = runWavedump(
        {"syx", example("saw.wav"), example("sine.wav"), "--slot", "128", "-o", file("dumps/")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "wavedump syx: 2 files from slot 128 would pass slot 128\n");
    EXPECT_FALSE(fs::exists(file("dumps")));
}

} // namespace
