// `wavedump wav` and `wavedump render`: the wave as a file of its own, and
// the tone it makes, checked against what `samples` prints.
#include "CliHarness.h"

#include "tests/support/CaseNames.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LoaderMessages.h"

#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using CaseNames::PrintTo;

const std::string saw = sourceFile("examples/saw.wav").string();

// The samples `wavedump samples` prints, as numbers.
std::vector<int> printedSamples(const std::vector<std::string>& args)
{
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<int> samples;
    for (const std::string& line : lines(run.out))
        samples.push_back(std::atoi(line.c_str()));
    return samples;
}

// The 16-bit frames after a plain 44-byte header.
std::vector<int> framesOf(const std::string& file)
{
    std::vector<int> frames;
    for (std::size_t at = 44; at + 1 < file.size(); at += 2)
        frames.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(file[at])
            | (static_cast<unsigned char>(file[at + 1]) << 8)));
    return frames;
}

TEST_F(CliTest, WavWritesTheEditedWaveSoThatItLoadsBackAsItWas)
{
    const fs::path out = file("edited.wav");
    const RunResult run = runWavedump({"wav", saw, "--op", "filter", "--op", "random-pd", "--seed", "7", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(FileBytes::read(out).size(), 300u);
    EXPECT_EQ(printedSamples({"samples", out}),
              printedSamples({"samples", saw, "--op", "filter", "--op", "random-pd", "--seed", "7"}));
    const RunResult info = runWavedump({"info", out});
    EXPECT_NE(info.out.find("\nresampled: no\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\nsample rate: 44100 Hz\n"), std::string::npos) << info.out;

    const RunResult toStandardOutput = runWavedump({"wav", saw, "--op", "filter", "--op", "random-pd", "--seed", "7",
                                                    "-o", "-"});
    EXPECT_EQ(toStandardOutput.exitCode, 0);
    EXPECT_EQ(toStandardOutput.out, FileBytes::read(out));
}

// At 12,800 frames per second a 100 Hz tone is the samples themselves, one
// cycle after another: 0.02 s is two cycles.
TEST_F(CliTest, RenderAtOneSampleAFrameRepeatsTheWave)
{
    const RunResult run = runWavedump({"render", saw, "--freq", "100", "--rate", "12800", "--seconds", "0.02", "-o", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.out.size(), 44u + 2 * 256);
    EXPECT_EQ(run.out.substr(24, 4), std::string("\x00\x32\x00\x00", 4)); // 12800
    std::vector<int> twice = printedSamples({"samples", saw});
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_EQ(framesOf(run.out), twice);
}

TEST_F(CliTest, RenderDefaultsToTwoSecondsOfMiddleCAt48000)
{
    const fs::path out = file("tone.wav");
    const RunResult run = runWavedump({"render", saw, "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = FileBytes::read(out);
    EXPECT_EQ(bytes.size(), 44u + 2 * 96000);
    EXPECT_EQ(bytes.substr(24, 8), std::string("\x80\xBB\x00\x00\x00\x77\x01\x00", 8)); // 48000, 96000
    // Middle C steps 128 * 261.6256 / 48000 = 0.69767 samples a frame: frame 1
    // lies between samples 0 and 1 of the saw.
    const std::vector<int> wave = printedSamples({"samples", saw});
    const std::vector<int> frames = framesOf(bytes);
    EXPECT_EQ(frames[0], wave[0]);
    EXPECT_GT(frames[1], std::min(wave[0], wave[1]));
    EXPECT_LT(frames[1], std::max(wave[0], wave[1]));
}

TEST_F(CliTest, ARefusedFileWritesNothing)
{
    const fs::path out = file("never.wav");
    for (const char* command : {"wav", "render"}) {
        const RunResult run = runWavedump({command, (folder_ / "missing.wav").string(), "-o", out});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.err, std::string(ExpectedMessage::cannotOpen) + "\n");
        EXPECT_FALSE(fs::exists(out));
    }
}

struct RenderUsageCase {
    const char* name;
    std::vector<std::string> options;
    std::string line;
};

class RenderUsage : public ::testing::TestWithParam<RenderUsageCase> {};

TEST_P(RenderUsage, OneLineAndExitTwo)
{
    std::vector<std::string> args{"render", saw, "-o", "-"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "wavedump render: " + GetParam().line + "\n");
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cli, RenderUsage,
    ::testing::Values(
        RenderUsageCase{"NoteAndFreq", {"--note", "60", "--freq", "440"}, "--note and --freq cannot be given together"},
        RenderUsageCase{"NoteAbove127", {"--note", "128"}, "--note must be 0 to 127, got '128'"},
        RenderUsageCase{"NoteNegative", {"--note", "-1"}, "--note must be 0 to 127, got '-1'"},
        RenderUsageCase{"NoteFraction", {"--note", "60.5"}, "--note must be 0 to 127, got '60.5'"},
        RenderUsageCase{"FreqBelowOne", {"--freq", "0.99"}, "--freq must be 1 to 20000, got '0.99'"},
        RenderUsageCase{"FreqAbove20000", {"--freq", "20000.5"}, "--freq must be 1 to 20000, got '20000.5'"},
        RenderUsageCase{"FreqNotANumber", {"--freq", "nan"}, "--freq must be 1 to 20000, got 'nan'"},
        RenderUsageCase{"SecondsTooShort", {"--seconds", "0.0009"}, "--seconds must be 0.001 to 60, got '0.0009'"},
        RenderUsageCase{"SecondsTooLong", {"--seconds", "60.01"}, "--seconds must be 0.001 to 60, got '60.01'"},
        RenderUsageCase{"RateTooLow", {"--rate", "7999"}, "--rate must be 8000 to 192000, got '7999'"},
        RenderUsageCase{"RateTooHigh", {"--rate", "192001"}, "--rate must be 8000 to 192000, got '192001'"},
        RenderUsageCase{"RateFraction", {"--rate", "44100.5"}, "--rate must be 8000 to 192000, got '44100.5'"}),
    CaseNames::byName);

struct RenderBoundCase {
    const char* name;
    std::vector<std::string> options;
    std::size_t frames;
};

class RenderLowerBound : public ::testing::TestWithParam<RenderBoundCase> {};

// Each range takes its own lowest value: 2 s at 48000 frames a second unless
// the option changes the length.
TEST_P(RenderLowerBound, IsAccepted)
{
    std::vector<std::string> args{"render", saw, "-o", "-"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.size(), 44 + 2 * GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Cli, RenderLowerBound,
    ::testing::Values(RenderBoundCase{"Note0", {"--note", "0"}, 96000},
        RenderBoundCase{"Freq1", {"--freq", "1"}, 96000},
        RenderBoundCase{"Seconds0001", {"--seconds", "0.001"}, 48},
        RenderBoundCase{"Rate8000", {"--rate", "8000"}, 16000}),
    CaseNames::byName);

} // namespace
