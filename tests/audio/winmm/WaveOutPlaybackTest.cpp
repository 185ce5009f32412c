// wavedump play's blocking playback: on the stand-in device, which finishes the
// buffer at a set wait (or never); and on the Windows (or wine) that runs the
// tests, which need not have an audio device: whatever the system offers, the
// answer must be sensible.
#include "StandInWaveOut.h"

#include "audio/TonePlayback.h"
#include "audio/winmm/WaveOutPlayback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

class PlaybackOnStandIn : public ::testing::Test {
protected:
    StandInWaveOut waveOut;
    InstalledStandIn installed{waveOut};
    // 100 ms at 48 kHz.
    std::vector<std::int16_t> frames = std::vector<std::int16_t>(4800, 123);
};

TEST_F(PlaybackOnStandIn, PlaysTheFramesInPlaceAsOneBufferAndReturnsOnceTheyAreDone)
{
    waveOut.doneAtWait = 3;

    EXPECT_EQ(playOnWaveOut(standInWaveOutCalls, frames, 48000), "");

    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"createEvent", "open", "prepare", "write", "unprepare", "close",
                                                       "closeHandle"}));
    EXPECT_EQ(waveOut.waits, 3);
    EXPECT_EQ(waveOut.strayCalls, 0);
    EXPECT_FALSE(waveOut.open);
    EXPECT_FALSE(waveOut.eventOpen);
    EXPECT_EQ(waveOut.openedId, WAVE_MAPPER);
    EXPECT_EQ(waveOut.flags, DWORD{CALLBACK_EVENT});
    EXPECT_EQ(waveOut.callback, reinterpret_cast<DWORD_PTR>(standInEvent));
    EXPECT_EQ(waveOut.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(waveOut.format.nChannels, 1);
    EXPECT_EQ(waveOut.format.nSamplesPerSec, 48000u);
    EXPECT_EQ(waveOut.format.nAvgBytesPerSec, 96000u);
    EXPECT_EQ(waveOut.format.nBlockAlign, 2);
    EXPECT_EQ(waveOut.format.wBitsPerSample, 16);
    ASSERT_EQ(waveOut.written.size(), 1u);
    EXPECT_EQ(waveOut.writtenAddresses[0], reinterpret_cast<const char*>(frames.data()));
    EXPECT_EQ(waveOut.written[0], frames);
}

TEST_F(PlaybackOnStandIn, FailuresAnswerTheSystemsTextAndLeaveNothingOpen)
{
    waveOut.openResult = MMSYSERR_BADDEVICEID;
    waveOut.errorText = "A device ID has been used that is out of range for your system.";
    EXPECT_EQ(playOnWaveOut(standInWaveOutCalls, frames, 48000),
              "A device ID has been used that is out of range for your system.");
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"createEvent", "open", "closeHandle"}));
    EXPECT_FALSE(waveOut.eventOpen);

    waveOut.calls.clear();
    waveOut.openResult = MMSYSERR_NOERROR;
    waveOut.failingWrite = 0;
    waveOut.writeResult = MMSYSERR_NOMEM;
    waveOut.errorText = "Out of memory.";
    EXPECT_EQ(playOnWaveOut(standInWaveOutCalls, frames, 48000), "Out of memory.");
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"createEvent", "open", "prepare", "write", "unprepare", "close",
                                                       "closeHandle"}));
    EXPECT_EQ(waveOut.waits, 0);
    EXPECT_FALSE(waveOut.open);

    waveOut.calls.clear();
    waveOut.eventMade = false;
    EXPECT_EQ(playOnWaveOut(standInWaveOutCalls, frames, 48000), "Out of memory.");
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"createEvent"}));
}

TEST_F(PlaybackOnStandIn, ADeviceThatNeverFinishesIsGivenUpAfterTheLengthAndFiveSeconds)
{
    waveOut.doneAtWait = 0;

    EXPECT_EQ(playOnWaveOut(standInWaveOutCalls, frames, 48000), "The audio output stopped before the end.");

    // 100 ms of frames and 5 s more, in waits of 100 ms.
    EXPECT_GE(waveOut.waits, 51);
    EXPECT_LE(waveOut.waits, 53);
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"createEvent", "open", "prepare", "write", "reset",
                                                       "unprepare", "close", "closeHandle"}));
    EXPECT_FALSE(waveOut.open);
}

// --- The system's own waveOut ------------------------------------------------------

TEST(WaveOutPlayback, TheDefaultOutputPlaysOrAnswersWhyNot)
{
    const std::vector<std::int16_t> silence(480, 0);

    const std::string reason = playOnDefaultOutput(silence, 48000);

    if (waveOutGetNumDevs() == 0) {
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.find("waveOut error"), std::string::npos) << "the system gave no text: " << reason;
    } else {
        EXPECT_EQ(reason, "");
    }
}

} // namespace
