// `wavedump play`, run as a user runs it, with ALSA's default PCM replaced by
// the tests' capturing configuration: what it plays is render's tone at half level.
#include "CliHarness.h"

#include "tests/audio/AlsaCapture.h"
#include "tests/audio/RampTone.h"
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"

#include <cmath>

namespace {

namespace fs = std::filesystem;
using CaseNames::PrintTo;

const std::string saw = sourceFile("examples/saw.wav").string();

RunResult runWavedumpWith(const std::vector<std::pair<std::string, std::string>>& environment,
                          const std::vector<std::string>& args)
{
    std::vector<std::string> command{WAVEDUMP_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    Subprocess::Options options;
    options.setEnvironment = environment;
    return Subprocess::run(command, options);
}

// The frames after render's plain 44-byte header.
std::vector<int> renderedFrames(const std::vector<std::string>& args)
{
    std::vector<std::string> renderArgs{"render"};
    renderArgs.insert(renderArgs.end(), args.begin(), args.end());
    renderArgs.insert(renderArgs.end(), {"-o", "-"});
    const RunResult run = runWavedump(renderArgs);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<int> frames;
    for (std::size_t at = 44; at + 1 < run.out.size(); at += 2)
        frames.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(run.out[at])
            | (static_cast<unsigned char>(run.out[at + 1]) << 8)));
    return frames;
}

class PlayTest : public CliTest {
protected:
    [[nodiscard]] RunResult play(const std::vector<std::string>& args) const
    {
        std::vector<std::string> playArgs{"play"};
        playArgs.insert(playArgs.end(), args.begin(), args.end());
        return runWavedumpWith(AlsaCapture::captureEnvironment(capture_), playArgs);
    }

    [[nodiscard]] std::vector<int> played() const
    {
        const AlsaCapture::Recording recording = AlsaCapture::read(capture_);
        EXPECT_EQ(recording.problem, "");
        EXPECT_EQ(recording.rate, 48000u);
        EXPECT_EQ(recording.channels, 1u);
        EXPECT_EQ(recording.bitsPerSample, 16u);
        return {recording.frames.begin(), recording.frames.end()};
    }

    const fs::path capture_ = file("played.wav");
};

// Render at full level, halved with halves away from zero.
TEST_F(PlayTest, PlaysRendersToneAtHalfLevel)
{
    const std::vector<std::string> tone{saw, "--op", "filter", "--seconds", "0.1"};
    const RunResult run = play(tone);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");

    std::vector<int> halved;
    for (const int frame : renderedFrames(tone))
        halved.push_back(static_cast<int>(std::lround(frame / 2.0)));
    ASSERT_EQ(halved.size(), 4800u);
    EXPECT_EQ(played(), halved);
}

// Where every frame is one sample of the wave, there is no doubt about the rate.
TEST_F(PlayTest, PlaysAtFortyEightThousandFramesASecond)
{
    const fs::path wave = makeFile("ramp.wav", WavBytes::monoWav(RampTone::wave().samples));
    const RunResult run = play({wave.string(), "--freq", "375", "--seconds", "0.01"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<int> frames = played();
    ASSERT_EQ(frames.size(), 480u);
    for (std::size_t k = 0; k < frames.size(); ++k)
        ASSERT_EQ(frames[k], RampTone::halfLevelFrame(k)) << "frame " << k;
}

TEST_F(PlayTest, AnOutputThatCannotOpenIsReportedWithTheSystemsReason)
{
    const RunResult run = runWavedumpWith(AlsaCapture::failEnvironment(), {"play", saw, "--seconds", "0.01"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Error: Failed to open the audio output. No such file or directory\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(PlayTest, AFileThatDoesNotLoadPlaysNothing)
{
    const RunResult run = play({(folder_ / "missing.wav").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, std::string(ExpectedMessage::cannotOpen) + "\n");
    EXPECT_FALSE(fs::exists(capture_));
}

TEST_F(PlayTest, HelpDescribesTheCommand)
{
    const RunResult run = play({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: wavedump play FILE", 0), 0u) << run.out;
    EXPECT_FALSE(fs::exists(capture_));
}

struct PlayUsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string line;
};

class PlayUsage : public CliTest, public ::testing::WithParamInterface<PlayUsageCase> {};

TEST_P(PlayUsage, OneLineExitTwoAndNothingPlayed)
{
    const fs::path capture = file("played.wav");
    std::vector<std::string> args{"play"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const RunResult run = runWavedumpWith(AlsaCapture::captureEnvironment(capture), args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "wavedump play: " + GetParam().line + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(capture));
}

INSTANTIATE_TEST_SUITE_P(Cli, PlayUsage,
    ::testing::Values(
        PlayUsageCase{"NoFile", {}, "missing FILE"},
        // The number options follow render's rules, tried there one by one.
        PlayUsageCase{"NoteAndFreq", {saw, "--note", "60", "--freq", "440"},
                      "--note and --freq cannot be given together"},
        // Listen's rate, always.
        PlayUsageCase{"Rate", {saw, "--rate", "44100"}, "unknown option '--rate'"},
        PlayUsageCase{"Output", {saw, "-o", "out.wav"}, "unknown option '-o'"}),
    CaseNames::byName);

} // namespace
