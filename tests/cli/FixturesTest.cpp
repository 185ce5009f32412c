// WAV files written by other programs (sox, Python's wave module), and the
// example files, which tools/make-examples.py must write byte for byte again.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "CliHarness.h"

#include "wave/WaveFileLoader.h"

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

// Whether a bit depth other than 16 loads is the loader's call; these rows
// check only that wavedump follows it.
const char* const loaderDecides = "loader decides";

struct SoxCase {
    const char* name;
    std::vector<std::string> format; // sox output options
    const char* samples;             // length of the tone in samples
    const char* message;             // nullptr: loads
    bool resampled = false;
};

class SoxFixtures : public CliTest, public ::testing::WithParamInterface<SoxCase> {};

TEST_P(SoxFixtures, SamplesAgreeWithTheLoader)
{
    if (std::string_view(SOX_PROGRAM).empty())
        GTEST_SKIP() << "sox is not installed";
    const SoxCase& param = GetParam();
    const fs::path wav = file("sox.wav");
    // The rate goes before -n: after it, sox would make the tone at its own rate
    // and then resample it to a different length.
    std::vector<std::string> command{SOX_PROGRAM, "-r", "44100", "-n"};
    command.insert(command.end(), param.format.begin(), param.format.end());
    command.insert(command.end(), {wav.string(), "synth", param.samples, "sine", "440", "vol", "0.9"});
    ASSERT_TRUE(Subprocess::run(command).exitCode == 0);

    const LibraryWave expected = libraryWave(wav);
    if (param.message != loaderDecides) {
        ASSERT_EQ(expected.loaded, param.message == nullptr) << expected.message;
        if (param.message != nullptr) {
            ASSERT_STREQ(expected.message, param.message);
        }
        EXPECT_EQ(expected.wave.resampled, param.resampled);
    }

    const RunResult run = runWavedump({"samples", wav, "--op", "normalize"});
    if (expected.loaded) {
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, samplesText(libraryWave(wav, {"normalize"}).wave));
    } else {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, std::string(expected.message) + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, SoxFixtures,
    ::testing::Values(SoxCase{"Mono16Bit128", {"-c", "1", "-b", "16", "-e", "signed-integer"}, "128s", nullptr},
        SoxCase{"Mono16Bit1000", {"-c", "1", "-b", "16", "-e", "signed-integer"}, "1000s", nullptr, true},
        SoxCase{"Mono8Bit256", {"-c", "1", "-b", "8", "-e", "unsigned-integer"}, "256s", loaderDecides},
        SoxCase{"Stereo16Bit", {"-c", "2", "-b", "16", "-e", "signed-integer"}, "128s",
            ExpectedMessage::notMonoPcm},
        SoxCase{"MonoFloat", {"-c", "1", "-b", "32", "-e", "floating-point"}, "128s",
            ExpectedMessage::notMonoPcm}),
    CaseNames::byName);

TEST_F(CliTest, ExamplesScriptWritesTheSameBytesAgain)
{
    if (std::string_view(PYTHON_PROGRAM).empty())
        GTEST_SKIP() << "python3 is not installed";
    ASSERT_TRUE(Subprocess::run({PYTHON_PROGRAM, sourceFile("tools/make-examples.py"), "--out", folder_}).exitCode == 0);
    for (const char* name : {"saw.wav", "square.wav", "triangle.wav", "sine.wav", "long-sine-600.wav"}) {
        const std::string committed = FileBytes::read(sourceFile(std::string("examples/") + name));
        ASSERT_FALSE(committed.empty()) << name;
        EXPECT_EQ(FileBytes::read(file(name)), committed) << name;
    }
}

TEST(Examples, LoadAsDescribed)
{
    for (const char* name : {"saw.wav", "square.wav", "triangle.wav", "sine.wav"}) {
        const LibraryWave wave = libraryWave(sourceFile(std::string("examples/") + name));
        EXPECT_TRUE(wave.loaded && !wave.wave.resampled) << name << ": " << wave.message;
    }
    const LibraryWave longSine = libraryWave(sourceFile("examples/long-sine-600.wav"));
    EXPECT_TRUE(longSine.loaded && longSine.wave.resampled) << longSine.message;
}

} // namespace
