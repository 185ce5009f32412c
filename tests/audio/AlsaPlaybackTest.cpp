// Blocking playback on ALSA's default PCM, as `wavedump play` uses it, through
// the capturing test configuration.
#include "AlsaCapture.h"
#include "ScratchDirectory.h"

#include "audio/TonePlayback.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hwd;

namespace {

class AlsaPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override { AlsaCapture::captureInThisProcess(capture_); }

    ScratchDirectory scratch_;
    const std::filesystem::path capture_ = scratch_.file("played.wav");
};

TEST_F(AlsaPlaybackTest, PlaysEveryFrameAsGivenAtTheRateGiven)
{
    // More than the device's buffer holds, with both extremes near the ends.
    std::vector<std::int16_t> frames(10000);
    for (std::size_t k = 0; k < frames.size(); ++k)
        frames[k] = static_cast<std::int16_t>(static_cast<int>(k % 2000) * 32 - 32000);
    frames.front() = -32768;
    frames.back() = 32767;
    ASSERT_EQ(playOnDefaultOutput(frames, 22050), "");

    const AlsaCapture::Recording played = AlsaCapture::read(capture_);
    ASSERT_EQ(played.problem, "");
    EXPECT_EQ(played.rate, 22050u);
    EXPECT_EQ(played.channels, 1u);
    EXPECT_EQ(played.bitsPerSample, 16u);
    ASSERT_EQ(played.frames.size(), 10000u);
    EXPECT_EQ(played.frames[0], -32768);
    EXPECT_EQ(played.frames[1], -31968);
    EXPECT_EQ(played.frames[1999], 31968);
    EXPECT_EQ(played.frames[2000], -32000);
    EXPECT_EQ(played.frames[9998], 31936);
    EXPECT_EQ(played.frames[9999], 32767);
}

// A tone far shorter than the buffer never fills it far enough to start by itself.
TEST_F(AlsaPlaybackTest, PlaysATinyToneWhole)
{
    const std::vector<std::int16_t> frames{1, -2, 3, -4, 5};
    ASSERT_EQ(playOnDefaultOutput(frames, 48000), "");
    const AlsaCapture::Recording played = AlsaCapture::read(capture_);
    ASSERT_EQ(played.problem, "");
    EXPECT_EQ(played.rate, 48000u);
    EXPECT_EQ(played.frames, frames);
}

TEST_F(AlsaPlaybackTest, AnOutputThatCannotOpenGivesAlsasReason)
{
    AlsaCapture::failInThisProcess();
    const std::vector<std::int16_t> frames(100, 7);
    EXPECT_EQ(playOnDefaultOutput(frames, 48000), "No such file or directory");
}

} // namespace
