// `wavedump unpack`: a bank back into WAV files, one per dump, each the file
// that `wavedump wav` writes for its wave; nothing from a bank it refuses.
#include "CliHarness.h"

namespace {

namespace fs = std::filesystem;

const fs::path fixtures = HWD_FIXTURE_DIR;

TEST_F(CliTest, UnpackWritesEachDumpAsWavWritesItsWaveAndNothingFromABankItRefuses)
{
    // Written by Python's wave module and by sox; the second and third are
    // reduced to 128 samples when loaded.
    const std::vector<fs::path> waves{fixtures / "py_s16_mono_128.wav", fixtures / "py_s16_mono_5000.wav",
        fixtures / "sox_s16_mono_1000.wav", example("saw.wav")};
    std::vector<std::string> syx{"syx", "--slot", "98", "-o", file("bank.syx")};
    syx.insert(syx.end(), waves.begin(), waves.end());
    ASSERT_EQ(runWavedump(syx).exitCode, 0);

    // The folder is made.
    const RunResult run = runWavedump({"unpack", file("bank.syx"), "-o", file("waves")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const char* names[] = {"098.wav", "099.wav", "100.wav", "101.wav"};
    for (std::size_t i = 0; i < waves.size(); ++i)
        EXPECT_EQ(FileBytes::read(file("waves") / names[i]), runWavedump({"wav", waves[i], "-o", "-"}).out) << names[i];
    EXPECT_EQ(std::distance(fs::directory_iterator(file("waves")), fs::directory_iterator()), 4);

    // A damaged dump is refused in send-syx's words (tested there); a bank that
    // holds a slot twice is refused too, and nothing is written either way.
    const Samples wave = dataSamples(waves[0]);
    const fs::path twice =
        makeFile("twice.syx", expectedDump(wave, 100) + expectedDump(wave, 101) + expectedDump(wave, 100));
    const RunResult refused = runWavedump({"unpack", twice, "-o", file("none")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
        "wavedump unpack: '" + twice.string() + "' holds two dumps for slot 100 (dumps 1 and 3); nothing written\n");
    EXPECT_FALSE(fs::exists(file("none")));
}

} // namespace
