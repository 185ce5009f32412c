// WAV files written by other programs (sox, Python's wave module), and the
// example files, which tools/make-examples.py must write byte for byte again.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "CliHarness.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

// The sox tone differs from run to run by its dither, so Normalize is worked
// out here from the file's own samples: each times 32767 / the largest
// magnitude, truncated toward zero.
Samples normalized(const Samples& samples)
{
    int peak = 0;
    for (const std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    const double factor = 32767.0 / peak;
    Samples scaled;
    for (const std::int16_t sample : samples)
        scaled.push_back(static_cast<std::int16_t>(sample * factor));
    return scaled;
}

struct SoxCase {
    const char* name;
    std::vector<std::string> format; // sox output options
    const char* samples;             // length of the tone in samples
    const char* message;             // nullptr: loads
    bool resampled = false;
};

class SoxFixtures : public CliTest, public ::testing::WithParamInterface<SoxCase> {};

TEST_P(SoxFixtures, LoadAsTheirBytesSay)
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

    const RunResult run = runWavedump({"samples", wav, "--op", "normalize"});
    if (param.message == nullptr) {
        const Samples run16 = dataSamples(wav);
        ASSERT_EQ(run16.size() != 128, param.resampled) << run16.size() << " samples";
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, samplesText(normalized(loadedSamples(run16))));
    } else {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, std::string(param.message) + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, SoxFixtures,
    ::testing::Values(SoxCase{"Mono16Bit128", {"-c", "1", "-b", "16", "-e", "signed-integer"}, "128s", nullptr},
        SoxCase{"Mono16Bit1000", {"-c", "1", "-b", "16", "-e", "signed-integer"}, "1000s", nullptr, true},
        SoxCase{"Mono8Bit256", {"-c", "1", "-b", "8", "-e", "unsigned-integer"}, "256s", ExpectedMessage::not16Bit},
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
        const std::string committed = FileBytes::read(example(name));
        ASSERT_FALSE(committed.empty()) << name;
        EXPECT_EQ(FileBytes::read(file(name)), committed) << name;
    }
}

TEST(Examples, LoadAsDescribed)
{
    for (const char* name : {"saw.wav", "square.wav", "triangle.wav", "sine.wav", "long-sine-600.wav"}) {
        const RunResult run = runWavedump({"info", example(name)});
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.err;
        const std::vector<std::string> info = lines(run.out);
        const std::string wanted = name == std::string_view("long-sine-600.wav") ? "resampled: yes" : "resampled: no";
        EXPECT_NE(std::find(info.begin(), info.end(), wanted), info.end()) << name << ":\n" << run.out;
    }
}

} // namespace
