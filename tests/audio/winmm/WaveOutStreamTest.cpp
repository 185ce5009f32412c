// The preview's waveOut stream against the stand-in device, and the one check
// that a buffer turn allocates nothing (this program counts allocations).
#include "CaseNames.h"
#include "CountingAllocator.h"
#include "StandInWaveOut.h"

#include "audio/TonePreview.h"
#include "audio/winmm/WaveOutStream.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

// The window the stream is told to report to; the stand-in only compares it.
const HWND previewWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4321));

// A wave whose tone is easy to work out: sample i is 200 i - 12800. At 12,800
// frames a second and 100 Hz, frame k of the tone is sample k mod 128 exactly,
// so at half level it is 100 (k mod 128) - 6400.
Waveshape rampWave()
{
    Waveshape wave;
    wave.loaded = true;
    for (int i = 0; i < waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(200 * i - 12800);
    return wave;
}

std::vector<std::int16_t> rampFrames(int first, int count)
{
    std::vector<std::int16_t> frames;
    for (int k = first; k < first + count; ++k)
        frames.push_back(static_cast<std::int16_t>(100 * (k % 128) - 6400));
    return frames;
}

class WaveOutStreamOnStandIn : public ::testing::Test {
protected:
    // Hands the oldest queued buffer back the way the device's window message does.
    bool handBackOldest(HWAVEOUT device = standInDevice)
    {
        WAVEHDR* header = waveOut.finishOldest();
        return stream.handleMessage(MM_WOM_DONE, reinterpret_cast<WPARAM>(device), reinterpret_cast<LPARAM>(header));
    }

    StandInWaveOut waveOut;
    InstalledStandIn installed{waveOut};
    Waveshape wave = rampWave();
    TonePreview ramp{wave, 100.0, 12800};
    WaveOutStream stream{standInWaveOutCalls};
};

TEST_F(WaveOutStreamOnStandIn, OpensTheDefaultDeviceForMono16BitAt48kHzReportingToTheWindow)
{
    TonePreview preview(wave);

    ASSERT_EQ(stream.open(preview, previewWindow), "");

    EXPECT_TRUE(stream.isOpen());
    EXPECT_EQ(stream.device(), standInDevice);
    EXPECT_EQ(waveOut.openedId, WAVE_MAPPER);
    EXPECT_EQ(waveOut.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(waveOut.format.nChannels, 1);
    EXPECT_EQ(waveOut.format.nSamplesPerSec, 48000u);
    EXPECT_EQ(waveOut.format.wBitsPerSample, 16);
    EXPECT_EQ(waveOut.format.nBlockAlign, 2);
    EXPECT_EQ(waveOut.format.nAvgBytesPerSec, 96000u);
    EXPECT_EQ(waveOut.format.cbSize, 0);
    EXPECT_EQ(waveOut.callback, reinterpret_cast<DWORD_PTR>(previewWindow));
    EXPECT_EQ(waveOut.flags, DWORD{CALLBACK_WINDOW});
    // 40 ms queued: four buffers of 960 bytes at 96,000 bytes a second.
    ASSERT_EQ(waveOut.prepared.size(), 4u);
    for (const WAVEHDR* header : waveOut.prepared)
        EXPECT_EQ(header->dwBufferLength, 960u);
    EXPECT_EQ(waveOut.queue.size(), 4u);
}

TEST_F(WaveOutStreamOnStandIn, QueuesFourBuffersOf10MsOfContiguousFramesAtOpen)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");

    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"open", "prepare", "prepare", "prepare", "prepare", "write",
                                                       "write", "write", "write"}));
    // 480 frames a buffer: 10 ms at the preview's 48 kHz.
    ASSERT_EQ(waveOut.written.size(), 4u);
    EXPECT_EQ(waveOut.writtenBuffers, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(waveOut.written[0], rampFrames(0, 480));
    EXPECT_EQ(waveOut.written[1], rampFrames(480, 480));
    EXPECT_EQ(waveOut.written[2], rampFrames(960, 480));
    EXPECT_EQ(waveOut.written[3], rampFrames(1440, 480));
    // Frame 480 is sample 96: 19200 - 12800, halved.
    EXPECT_EQ(waveOut.written[1][0], 3200);
    EXPECT_EQ(waveOut.queue.size(), 4u);
    EXPECT_EQ(waveOut.strayCalls, 0);
}

TEST_F(WaveOutStreamOnStandIn, ABufferHandedBackIsRefilledWithTheNextFramesAndQueuedAgain)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    waveOut.calls.clear();

    EXPECT_TRUE(handBackOldest());
    EXPECT_TRUE(handBackOldest());

    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"write", "write"}));
    ASSERT_EQ(waveOut.written.size(), 6u);
    EXPECT_EQ(waveOut.writtenBuffers[4], 0);
    EXPECT_EQ(waveOut.writtenBuffers[5], 1);
    EXPECT_EQ(waveOut.written[4], rampFrames(1920, 480));
    EXPECT_EQ(waveOut.written[5], rampFrames(2400, 480));
    EXPECT_EQ(waveOut.written[5][0], 3200);
    EXPECT_EQ(waveOut.queue.size(), 4u);
    EXPECT_EQ(ramp.framesMade(), 2880u);
}

TEST_F(WaveOutStreamOnStandIn, AnEditIsInTheNextBufferRefilled)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");

    wave.samples.fill(-1000);
    handBackOldest();

    ASSERT_EQ(waveOut.written.size(), 5u);
    EXPECT_EQ(waveOut.written[4], std::vector<std::int16_t>(480, -500));
}

TEST_F(WaveOutStreamOnStandIn, TakesOnlyItsOwnDevicesMessagesAndLeavesStaleOnesAlone)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    waveOut.calls.clear();

    EXPECT_TRUE(stream.handleMessage(MM_WOM_OPEN, reinterpret_cast<WPARAM>(standInDevice), 0));

    // Another device's buffer, by the same address.
    EXPECT_FALSE(handBackOldest(otherDevice));
    EXPECT_FALSE(stream.handleMessage(MM_WOM_OPEN, reinterpret_cast<WPARAM>(otherDevice), 0));
    // A buffer that is not the stream's.
    WAVEHDR foreign{};
    foreign.dwFlags = WHDR_DONE | WHDR_PREPARED;
    EXPECT_TRUE(stream.handleMessage(MM_WOM_DONE, reinterpret_cast<WPARAM>(standInDevice),
                                     reinterpret_cast<LPARAM>(&foreign)));
    // A late message for a buffer already queued again.
    EXPECT_TRUE(stream.handleMessage(MM_WOM_DONE, reinterpret_cast<WPARAM>(standInDevice),
                                     reinterpret_cast<LPARAM>(waveOut.queue.back())));
    // Not a device message at all, though its parameters look like one.
    EXPECT_FALSE(stream.handleMessage(WM_USER, reinterpret_cast<WPARAM>(standInDevice), 0));

    EXPECT_TRUE(waveOut.calls.empty());
    EXPECT_EQ(waveOut.written.size(), 4u);
    EXPECT_EQ(ramp.framesMade(), 1920u);
    EXPECT_TRUE(stream.isOpen());
}

TEST_F(WaveOutStreamOnStandIn, CloseResetsUnpreparesEveryBufferAndClosesAndIgnoresWhatComesAfter)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    handBackOldest();
    waveOut.calls.clear();

    stream.close();

    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"reset", "unprepare", "unprepare", "unprepare", "unprepare",
                                                       "close"}));
    EXPECT_FALSE(waveOut.open);
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(waveOut.strayCalls, 0);
    for (const WAVEHDR* header : waveOut.prepared)
        EXPECT_EQ(header->dwFlags & WHDR_PREPARED, 0u);

    // The reset's buffers come back as messages after the close.
    waveOut.calls.clear();
    for (WAVEHDR* header : waveOut.prepared) {
        EXPECT_FALSE(stream.handleMessage(MM_WOM_DONE, reinterpret_cast<WPARAM>(standInDevice),
                                          reinterpret_cast<LPARAM>(header)));
    }
    EXPECT_FALSE(stream.handleMessage(MM_WOM_CLOSE, reinterpret_cast<WPARAM>(standInDevice), 0));
    stream.close();
    EXPECT_TRUE(waveOut.calls.empty());
}

TEST_F(WaveOutStreamOnStandIn, OpensAgainAfterAClose)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    stream.close();
    ramp.restart();
    waveOut.written.clear();

    ASSERT_EQ(stream.open(ramp, previewWindow), "");

    ASSERT_EQ(waveOut.written.size(), 4u);
    EXPECT_EQ(waveOut.written[0], rampFrames(0, 480));
    EXPECT_EQ(waveOut.queue.size(), 4u);
}

TEST_F(WaveOutStreamOnStandIn, AFailedOpenAnswersTheSystemsTextAndLeavesNothingOpen)
{
    waveOut.openResult = MMSYSERR_BADDEVICEID;
    waveOut.errorText = "No device here.";

    EXPECT_EQ(stream.open(ramp, previewWindow), "No device here.");

    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(waveOut.calls, (std::vector<std::string>{"open"}));
    EXPECT_FALSE(stream.handleMessage(MM_WOM_DONE, 0, 0));

    // A code the system has no text for still reads as a failure.
    waveOut.openResult = MMSYSERR_NODRIVER;
    waveOut.errorText.clear();
    EXPECT_EQ(stream.open(ramp, previewWindow), "waveOut error 6");
}

struct RefusalAtOpen {
    const char* name;
    int failingPrepare;
    int failingWrite;
};

class ARefusedBufferAtOpen : public WaveOutStreamOnStandIn, public ::testing::WithParamInterface<RefusalAtOpen> {};

// Else Listen would show as on, and the device stay held, after the failure was reported.
TEST_P(ARefusedBufferAtOpen, UnpreparesEveryBufferPreparedAndClosesTheDeviceWithTheReason)
{
    waveOut.failingPrepare = GetParam().failingPrepare;
    waveOut.prepareResult = MMSYSERR_NOMEM;
    waveOut.failingWrite = GetParam().failingWrite;
    waveOut.writeResult = MMSYSERR_NOMEM;
    waveOut.errorText = "Out of memory.";

    EXPECT_EQ(stream.open(ramp, previewWindow), "Out of memory.");

    EXPECT_FALSE(stream.isOpen());
    EXPECT_FALSE(waveOut.open);
    EXPECT_EQ(waveOut.strayCalls, 0);
    EXPECT_EQ(waveOut.calls.back(), "close");
    ASSERT_FALSE(waveOut.prepared.empty());
    for (const WAVEHDR* header : waveOut.prepared)
        EXPECT_EQ(header->dwFlags & WHDR_PREPARED, 0u) << "buffer " << waveOut.bufferNumber(header);
}

INSTANTIATE_TEST_SUITE_P(OfFour, ARefusedBufferAtOpen,
                         ::testing::Values(RefusalAtOpen{"TheSecondBuffersPreparation", 1, -1},
                                           RefusalAtOpen{"TheThirdBuffersWrite", -1, 2}),
                         CaseNames::byName);

TEST_F(WaveOutStreamOnStandIn, ABufferRefusedWhilePlayingStopsTheStream)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    waveOut.failingWrite = 4;
    waveOut.writeResult = MMSYSERR_NODRIVER;

    EXPECT_TRUE(handBackOldest());

    EXPECT_FALSE(stream.isOpen());
    EXPECT_FALSE(waveOut.open);
    EXPECT_EQ(waveOut.calls.back(), "close");
}

TEST_F(WaveOutStreamOnStandIn, ABufferTurnAllocatesNothing)
{
    ASSERT_EQ(stream.open(ramp, previewWindow), "");
    waveOut.recordContents = false;
    waveOut.calls.reserve(100);
    bool handled = true;

    const auto allocations = CountingAllocator::allocationsDuring([&] {
        for (int turn = 0; turn < 20; ++turn)
            handled = handBackOldest() && handled;
    });

    EXPECT_EQ(allocations, 0u);
    EXPECT_TRUE(handled);
    EXPECT_EQ(ramp.framesMade(), 24u * 480u);
}

} // namespace
