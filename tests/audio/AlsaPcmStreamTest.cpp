// The preview's stream on ALSA, driven by a poll() loop of the test's own, as
// the desktop program's event loop drives it, through the capturing default PCM.
#include "AlsaCapture.h"
#include "RampTone.h"
#include "ScratchDirectory.h"

#include "audio/TonePreview.h"
#include "audio/alsa/AlsaPcmStream.h"

#include <gtest/gtest.h>

#include <poll.h>

using namespace hwd;

namespace {

// Waits on the stream's descriptors and services it until the source has made
// at least frames frames; answers how many services that took. The device
// behind the test configuration is always ready and takes a buffer (some 1,440
// frames) at each service, so the loop is bounded by services, not by time.
int serviceUntil(AlsaPcmStream& stream, const TonePreview& source, std::uint64_t frames)
{
    int services = 0;
    for (int round = 0; round < 1000 && source.framesMade() < frames; ++round) {
        std::vector<pollfd> descriptors = stream.pollDescriptors();
        if (descriptors.empty() || ::poll(descriptors.data(), descriptors.size(), 1000) <= 0) {
            ADD_FAILURE() << "the stream has nothing to wait on, or nothing fired";
            break;
        }
        const std::string problem = stream.service(descriptors);
        EXPECT_EQ(problem, "");
        if (!problem.empty())
            break;
        ++services;
    }
    EXPECT_GE(source.framesMade(), frames) << "the source stopped making frames";
    return services;
}

class AlsaPcmStreamTest : public ::testing::Test {
protected:
    void SetUp() override { AlsaCapture::captureInThisProcess(capture_); }

    [[nodiscard]] AlsaCapture::Recording recording() const
    {
        AlsaCapture::Recording played = AlsaCapture::read(capture_);
        EXPECT_EQ(played.problem, "");
        EXPECT_EQ(played.rate, 48000u);
        EXPECT_EQ(played.channels, 1u);
        EXPECT_EQ(played.bitsPerSample, 16u);
        return played;
    }

    ScratchDirectory scratch_;
    const std::filesystem::path capture_ = scratch_.file("played.wav");
};

TEST_F(AlsaPcmStreamTest, PlaysTheToneAtHalfLevelAt48000WithoutAGapBetweenServices)
{
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");
    EXPECT_TRUE(stream.isOpen());
    const std::uint64_t filledAtOpen = source.framesMade();
    EXPECT_GT(filledAtOpen, 0u) << "the buffer is filled before the device starts";
    // At most 40 ms queued, so that an edit is soon heard.
    EXPECT_LE(filledAtOpen, 1920u);
    EXPECT_EQ(stream.bufferFrames(), filledAtOpen) << "the whole buffer is filled at open";

    const int services = serviceUntil(stream, source, 20000);
    EXPECT_GE(services, 5) << "the tone must run on across many services";
    const std::uint64_t made = source.framesMade();
    stream.close();
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(stream.bufferFrames(), 0u);

    const AlsaCapture::Recording played = recording();
    ASSERT_GE(played.frames.size(), 20000u);
    ASSERT_LE(played.frames.size(), made);
    for (std::size_t k = 0; k < played.frames.size(); ++k)
        ASSERT_EQ(played.frames[k], RampTone::halfLevelFrame(k)) << "frame " << k;
}

TEST_F(AlsaPcmStreamTest, AnEditIsHeardFromTheNextFrameMadeAndNotBefore)
{
    Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");
    serviceUntil(stream, source, 5000);
    const std::size_t edited = source.framesMade();
    RampTone::edit(wave);
    serviceUntil(stream, source, edited + 5000);
    stream.close();

    const AlsaCapture::Recording played = recording();
    ASSERT_GE(played.frames.size(), edited + 5000);
    for (std::size_t k = 0; k < edited; ++k)
        ASSERT_EQ(played.frames[k], RampTone::halfLevelFrame(k)) << "frame " << k << " was written before the edit";
    for (std::size_t k = edited; k < played.frames.size(); ++k)
        ASSERT_EQ(played.frames[k], RampTone::editedHalfLevelFrame(k)) << "frame " << k << " was made after the edit";
}

// The test device takes each buffer whole the moment it is written, so nothing
// waits ahead of the next frame made, neither in the device nor in the stream.
TEST_F(AlsaPcmStreamTest, NothingIsQueuedAheadOnADeviceThatTakesEverythingAtOnce)
{
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    EXPECT_EQ(stream.queuedFrames(), std::nullopt) << "never opened";
    ASSERT_EQ(stream.open(source), "");
    EXPECT_EQ(stream.queuedFrames(), 0L) << "after the buffer filled at open";
    serviceUntil(stream, source, 5000);
    EXPECT_EQ(stream.queuedFrames(), 0L) << "after services";
    stream.close();
    EXPECT_EQ(stream.queuedFrames(), std::nullopt) << "closed";
}

TEST_F(AlsaPcmStreamTest, PlaysSilenceWhileNoWaveIsLoaded)
{
    Waveshape wave = RampTone::wave();
    wave.loaded = false;
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");
    serviceUntil(stream, source, 5000);
    stream.close();

    const AlsaCapture::Recording played = recording();
    ASSERT_GE(played.frames.size(), 5000u);
    for (std::size_t k = 0; k < played.frames.size(); ++k)
        ASSERT_EQ(played.frames[k], 0) << "frame " << k;
}

TEST_F(AlsaPcmStreamTest, AClosedStreamMakesNothingMoreAndHasNothingToWatch)
{
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");
    EXPECT_FALSE(stream.pollDescriptors().empty());
    stream.close();
    const std::uint64_t made = source.framesMade();

    EXPECT_TRUE(stream.pollDescriptors().empty());
    EXPECT_EQ(stream.service({}), "File descriptor in bad state");
    EXPECT_EQ(source.framesMade(), made);
    stream.close(); // a second close does nothing
    EXPECT_EQ(recording().frames.size(), made);
}

TEST_F(AlsaPcmStreamTest, OpeningADeviceThatDoesNotExistGivesAlsasReason)
{
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    EXPECT_EQ(stream.open(source, "no_such_device"), "No such file or directory");
    EXPECT_FALSE(stream.isOpen());
    EXPECT_TRUE(stream.pollDescriptors().empty());

    AlsaCapture::failInThisProcess();
    EXPECT_EQ(stream.open(source), "No such file or directory");
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(source.framesMade(), 0u);
}

} // namespace
