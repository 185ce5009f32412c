// The tone a wave makes (the frame formula worked out by hand) and the WAV
// files written of a wave and of a tone.
#include "tests/support/ScratchDirectory.h"

#include "wave/ToneRender.h"
#include "wave/WavWriter.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

using namespace hwd;

namespace {

using ToneRender::frame;

SampleArray rampOf(int step)
{
    SampleArray samples{};
    for (int i = 0; i < waveshapeSampleCount; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(step * i);
    return samples;
}

// At 12,800 frames per second a 100 Hz tone steps one sample a frame, so every
// frame is a sample as it stands, however far into the tone.
TEST(Tone, OneSampleAFrameGivesTheSamplesThemselves)
{
    std::mt19937 random(128);
    SampleArray samples{};
    for (auto& sample : samples)
        sample = static_cast<std::int16_t>(static_cast<int>(random() % 65536) - 32768);
    samples[5] = -32768;
    samples[6] = 32767;
    for (std::uint64_t k : {0ull, 1ull, 127ull, 128ull, 129ull, 12800ull * 59 + 5, 12800ull * 60 - 1}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(frame(samples, k, 100.0, 12800), samples[k % 128]);
    }
}

// 3 Hz at 1,000 frames per second steps 0.384 samples a frame, over a ramp of
// 100 per sample: frame 1 is 38.4, frame 2 is 76.8, frame 3 is 115.2 and
// frame 4 is 153.6, each rounded.
TEST(Tone, BetweenTwoSamplesTheToneFollowsAStraightLine)
{
    const SampleArray ramp = rampOf(100);
    EXPECT_EQ(frame(ramp, 0, 3.0, 1000), 0);
    EXPECT_EQ(frame(ramp, 1, 3.0, 1000), 38);
    EXPECT_EQ(frame(ramp, 2, 3.0, 1000), 77);
    EXPECT_EQ(frame(ramp, 3, 3.0, 1000), 115);
    EXPECT_EQ(frame(ramp, 4, 3.0, 1000), 154);
}

// Halfway between 0 and 1 is 1, between 0 and -1 is -1: halves go away from zero.
TEST(Tone, HalvesAreRoundedAwayFromZero)
{
    SampleArray samples{};
    for (const auto& [next, expected] : {std::pair{1, 1}, {-1, -1}, {3, 2}, {-3, -2}}) {
        samples[1] = static_cast<std::int16_t>(next);
        EXPECT_EQ(frame(samples, 1, 1.0, 256), expected) << next; // half a sample in
    }
}

// After sample 127 the line runs to sample 0.
TEST(Tone, AfterTheLastSampleComesTheFirst)
{
    SampleArray samples{};
    samples[127] = 1000;
    samples[0] = -2000;
    EXPECT_EQ(frame(samples, 254, 1.0, 256), 1000);  // exactly sample 127
    EXPECT_EQ(frame(samples, 255, 1.0, 256), -500);  // half way to sample 0
    EXPECT_EQ(frame(samples, 256, 1.0, 256), -2000); // sample 0 again
}

TEST(Tone, NotesInEqualTemperamentFromA440)
{
    EXPECT_DOUBLE_EQ(ToneRender::noteFrequency(69), 440.0);
    EXPECT_DOUBLE_EQ(ToneRender::noteFrequency(81), 880.0);
    EXPECT_DOUBLE_EQ(ToneRender::noteFrequency(57), 220.0);
    EXPECT_NEAR(ToneRender::noteFrequency(60), 261.6255653005986, 1e-9);
}

TEST(Tone, LengthIsSecondsTimesRateRounded)
{
    const SampleArray ramp = rampOf(1);
    EXPECT_EQ(ToneRender::render(ramp, 100.0, 0.0015, 8000).size(), 12u);
    EXPECT_EQ(ToneRender::render(ramp, 100.0, 0.00106, 8000).size(), 8u);  // 8.48
    EXPECT_EQ(ToneRender::render(ramp, 100.0, 0.001075, 8000).size(), 9u); // 8.6
    EXPECT_EQ(ToneRender::render(ramp, 100.0, 2.0, 48000).size(), 96000u);
}

std::string bytesOf(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

// The whole 300-byte file for one wave, header written out by hand.
TEST(WavWriter, TheWavesFileByteForByte)
{
    SampleArray samples{};
    samples[0] = 0x1234;
    samples[1] = -2;
    samples[127] = -32768;
    const auto file = WavWriter::waveFile(samples);
    const std::string bytes(file.begin(), file.end());
    ASSERT_EQ(bytes.size(), 300u);
    const std::string header = std::string("RIFF") + bytesOf({0x24, 0x01, 0, 0}) + "WAVEfmt "
        + bytesOf({16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 0x01, 0, 2, 0, 16, 0}) + "data"
        + bytesOf({0, 1, 0, 0});
    EXPECT_EQ(bytes.substr(0, 44), header);
    EXPECT_EQ(bytes.substr(44, 4), bytesOf({0x34, 0x12, 0xFE, 0xFF}));
    EXPECT_EQ(bytes.substr(48, 250), std::string(250, '\0'));
    EXPECT_EQ(bytes.substr(298), bytesOf({0x00, 0x80}));
}

// Whatever the wave, the loader takes its file back exactly and not resampled.
TEST(WavWriter, EveryWaveLoadsBackAsItWas)
{
    const ScratchDirectory folder;
    std::mt19937 random(300);
    for (int round = 0; round < 200; ++round) {
        SampleArray samples{};
        for (auto& sample : samples)
            sample = static_cast<std::int16_t>(static_cast<int>(random() % 65536) - 32768);
        samples[static_cast<std::size_t>(round % 128)] = round % 2 ? 32767 : -32768;
        const auto file = WavWriter::waveFile(samples);
        const auto path = folder.write("wave.wav", std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
        Waveshape wave;
        ASSERT_TRUE(WaveFileLoader(wave).load(path)) << wave.lastError;
        EXPECT_FALSE(wave.resampled);
        ASSERT_EQ(wave.samples, samples) << round;
    }
}

TEST(WavWriter, ATonesHeaderNamesItsRate)
{
    const std::int16_t frames[] = {1, -1, 300};
    const auto bytes = WavWriter::monoPcm(frames, 12345);
    ASSERT_EQ(bytes.size(), 50u);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(4, 4), bytesOf({42, 0, 0, 0}));
    EXPECT_EQ(text.substr(24, 12), bytesOf({0x39, 0x30, 0, 0, 0x72, 0x60, 0, 0, 2, 0, 16, 0})); // 12345, 24690
    EXPECT_EQ(text.substr(40, 4), bytesOf({6, 0, 0, 0}));
    EXPECT_EQ(text.substr(44), bytesOf({1, 0, 0xFF, 0xFF, 0x2C, 0x01}));
}

} // namespace
