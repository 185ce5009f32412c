// The bank window's dump files against wavedump's: Save Bank As writes what
// `wavedump syx` writes for the same waves, and a bank saved, opened again (or
// unpacked by wavedump and its WAV files dropped again) and saved again comes
// out byte for byte.
#include "CliHarness.h"
#include "app/Bank.h"

namespace {

TEST_F(CliTest, ABankSavedIsWhatSyxWritesAndOpensBackByteForByte)
{
    const std::vector<std::filesystem::path> waves{example("square.wav"), example("saw.wav"), example("sine.wav")};
    hwd::Bank bank;
    // Slot 100; the files taken in the order of their names: saw, sine, square.
    EXPECT_EQ(hwd::fillBank(bank, 3, waves).filled, 3);
    ASSERT_EQ(hwd::saveBank(bank, file("bank.syx")), "");

    const RunResult run = runWavedump(
        {"syx", example("saw.wav"), example("sine.wav"), example("square.wav"), "--slot", "100", "-o", file("cli.syx")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string saved = FileBytes::read(file("bank.syx"));
    EXPECT_EQ(saved.size(), 900u);
    EXPECT_EQ(saved, FileBytes::read(file("cli.syx")));

    hwd::Bank reopened;
    EXPECT_EQ(hwd::fillBank(reopened, 0, std::vector<std::filesystem::path>{file("bank.syx")}).filled, 3);
    EXPECT_EQ(reopened[4]->name, "bank.syx #2");
    ASSERT_EQ(hwd::saveBank(reopened, file("again.SYX")), "");
    EXPECT_EQ(FileBytes::read(file("again.SYX")), saved);

    // Unpacked into WAV files and dropped on slot 100 again: the same bank.
    const RunResult unpacked = runWavedump({"unpack", file("bank.syx"), "-o", file("waves")});
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err;
    const std::filesystem::path folder = file("waves");
    hwd::Bank fromWaves;
    EXPECT_EQ(hwd::fillBank(fromWaves, 3, std::vector{folder / "102.wav", folder / "100.wav", folder / "101.wav"}).filled, 3);
    ASSERT_EQ(hwd::saveBank(fromWaves, file("unpacked.syx")), "");
    EXPECT_EQ(FileBytes::read(file("unpacked.syx")), saved);
}

} // namespace
