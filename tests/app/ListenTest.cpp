// Listen without a sound card: the preview's frames at half level, running on
// from one fill to the next and following the wave as it changes, and the
// toggle's starts, stops and warning text.

#include "ScriptedPreviewOutput.h"
#include "app/ListenToggle.h"
#include "audio/TonePreview.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

using Frames = std::vector<std::int16_t>;

TEST(HalfLevel, halvesWithHalvesAwayFromZero)
{
    const int cases[][2] = {{0, 0},   {1, 1},    {2, 1},           {3, 2},           {-1, -1},
                            {-2, -1}, {-3, -2},  {32767, 16384},   {-32768, -16384}, {32766, 16383},
                            {-32767, -16384}};
    for (const auto& [full, half] : cases)
        EXPECT_EQ(halfLevel(static_cast<std::int16_t>(full)), half) << full;
}

// At 100 Hz and 12,800 frames a second frame k is exactly sample k mod 128;
// sample i is 200 * i - 12800, so its half is 100 * i - 6400.
Waveshape stepWave()
{
    Waveshape wave;
    wave.loaded = true;
    for (int i = 0; i < waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(200 * i - 12800);
    return wave;
}

Frames take(TonePreview& preview, std::size_t count)
{
    Frames frames(count, 12345);
    preview.fill(frames);
    return frames;
}

TEST(TonePreview, framesRunOnFromOneFillToTheNextAcrossTheWrap)
{
    const Waveshape wave = stepWave();
    TonePreview preview(wave, 100.0, 12800);
    Frames all;
    for (const std::size_t piece : {50u, 100u, 150u}) {
        const Frames frames = take(preview, piece);
        all.insert(all.end(), frames.begin(), frames.end());
    }
    ASSERT_EQ(all.size(), 300u);
    for (std::size_t k = 0; k < all.size(); ++k)
        ASSERT_EQ(all[k], static_cast<int>(100 * (k % 128)) - 6400) << "frame " << k;
    EXPECT_EQ(preview.framesMade(), 300u);
    preview.restart();
    EXPECT_EQ(take(preview, 2), (Frames{-6400, -6300}));
}

TEST(TonePreview, anEditIsHeardFromTheNextFrameMade)
{
    Waveshape wave = stepWave();
    TonePreview preview(wave, 100.0, 12800);
    EXPECT_EQ(take(preview, 3), (Frames{-6400, -6300, -6200}));
    wave.samples[3] = 1000;
    wave.samples[4] = -999;
    EXPECT_EQ(take(preview, 3), (Frames{500, -500, -5900}));
}

TEST(TonePreview, silenceWhileNoWaveIsLoadedYetFramesRunOn)
{
    Waveshape wave = stepWave();
    wave.loaded = false;
    TonePreview preview(wave, 100.0, 12800);
    EXPECT_EQ(take(preview, 4), Frames(4, 0));
    wave.loaded = true;
    EXPECT_EQ(take(preview, 2), (Frames{-6000, -5900}));
}

// Middle C at 48,000 Hz: frame k sits at 261.6255653 * 128 * k / 48000 in the
// cycle, 0.6976682 samples further each frame. Sample i is 200 * i.
TEST(TonePreview, playsMiddleCAt48000FramesASecond)
{
    Waveshape wave;
    wave.loaded = true;
    for (int i = 0; i < waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(200 * i);
    TonePreview preview(wave);
    EXPECT_EQ(preview.rate(), 48000u);
    // 0, 139.53 -> 140 -> 70, 279.07 -> 279 -> 140, 418.60 -> 419 -> 210.
    EXPECT_EQ(take(preview, 4), (Frames{0, 70, 140, 210}));
}

TEST(ListenToggle, startsFromTheStartOfTheToneAndStopsOnTheNextToggle)
{
    const Waveshape wave = stepWave();
    ScriptedPreviewOutput output;
    {
        ListenToggle listen(output, wave);
        EXPECT_EQ(listen.toggle(), "");
        ASSERT_TRUE(listen.listening());
        ASSERT_NE(output.source, nullptr);
        Frames frames(5);
        output.source->fill(frames);
        EXPECT_EQ(listen.toggle(), "");
        EXPECT_FALSE(listen.listening());
        (void)listen.toggle();
        EXPECT_EQ(output.source->framesMade(), 0u);
        EXPECT_EQ(output.calls, (std::vector<std::string>{"start", "stop", "start"}));
    }
    // The toggle's end stops the preview.
    EXPECT_EQ(output.calls.back(), "stop");
}

TEST(ListenToggle, aDeviceThatWillNotOpenSaysWhyInTheSystemsWords)
{
    const Waveshape wave = stepWave();
    ScriptedPreviewOutput output;
    ListenToggle listen(output, wave);
    output.refusal = "Device or resource busy";

    EXPECT_EQ(listen.toggle(), "Failed to open the audio output. Device or resource busy");

    EXPECT_FALSE(listen.listening());
    // The next toggle tries again rather than stopping.
    output.refusal.clear();
    EXPECT_EQ(listen.toggle(), "");
    EXPECT_TRUE(listen.listening());
}

} // namespace
