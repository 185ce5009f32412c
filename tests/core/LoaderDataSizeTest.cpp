// Which samples a data chunk of a given size yields. The data holds the value k
// at sample index k, so every loaded sample names the index it was picked from.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "ScratchDirectory.h"
#include "WavBytes.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

using namespace WavBytes;

// The nearest sample to position i of 128 over a run of n: i * n / 128 rounded
// half up, in exact integer arithmetic.
std::uint32_t nearestIndex(std::uint32_t i, std::uint32_t n)
{
    return (i * n + 64) / 128;
}

struct SizeCase {
    const char* name;
    std::uint32_t dataBytes;
    const char* message;
    bool resampled;
    // (position in the wave, index in the data) pairs worked out by hand.
    std::vector<std::pair<int, std::uint32_t>> picks;
};

std::ostream& operator<<(std::ostream& out, const SizeCase& size)
{
    return out << size.name;
}

const SizeCase sizeCases[] = {
    {"Exactly256Verbatim", 256, ExpectedMessage::none, false, {{0, 0}, {64, 64}, {127, 127}}},
    {"Odd257IsAlsoOneToOne", 257, ExpectedMessage::none, true, {{0, 0}, {64, 64}, {127, 127}}},
    {"Data258DropsIndex64", 258, ExpectedMessage::none, true, {{0, 0}, {63, 63}, {64, 65}, {65, 66}, {127, 128}}},
    {"Odd259IgnoresLastByte", 259, ExpectedMessage::none, true, {{63, 63}, {64, 65}, {127, 128}}},
    {"Data512EveryOther", 512, ExpectedMessage::none, true, {{0, 0}, {1, 2}, {64, 128}, {127, 254}}},
    {"Data1000", 1000, ExpectedMessage::none, true, {{1, 4}, {64, 250}, {127, 496}}},
    {"Data131070", 131070, ExpectedMessage::none, true,
     {{0, 0}, {1, 512}, {2, 1024}, {63, 32256}, {64, 32768}, {65, 33279}, {127, 65023}}},
    {"Data131069", 131069, ExpectedMessage::none, true, {{64, 32767}, {127, 65022}}},
    {"Data0", 0, ExpectedMessage::tooFew, false, {}},
    {"Data1", 1, ExpectedMessage::tooFew, false, {}},
    {"Data254", 254, ExpectedMessage::tooFew, false, {}},
    {"Data255", 255, ExpectedMessage::tooFew, false, {}},
    {"Data131071", 131071, ExpectedMessage::tooMany, false, {}},
    {"Data131072", 131072, ExpectedMessage::tooMany, false, {}},
    {"Data200000", 200000, ExpectedMessage::tooMany, false, {}},
};

class LoaderDataSize : public testing::TestWithParam<SizeCase> {};

TEST_P(LoaderDataSize, PicksTheNearestSamples)
{
    const SizeCase& size = GetParam();
    const ScratchDirectory directory;
    const auto path = directory.write("size.wav", monoWav(indexedSampleBytes(size.dataBytes)));
    const bool expectLoad = *size.message == '\0';

    Waveshape wave;
    WaveFileLoader loader(wave);
    ASSERT_EQ(loader.load(path.c_str()), expectLoad);
    EXPECT_STREQ(wave.lastError, size.message);
    EXPECT_EQ(wave.resampled, size.resampled);
    if (!expectLoad)
        return;

    for (const auto& [position, index] : size.picks) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        EXPECT_EQ(wave.samples[static_cast<std::size_t>(position)], static_cast<std::int16_t>(index));
    }
    const std::uint32_t run = size.dataBytes / 2;
    for (std::uint32_t i = 0; i < waveshapeSampleCount; ++i) {
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_EQ(wave.samples[i], static_cast<std::int16_t>(nearestIndex(i, run)));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoaderDataSize, testing::ValuesIn(sizeCases),
                         CaseNames::byName);

TEST(LoaderDataSize, TakesExactly128SamplesAsTheyStand)
{
    SampleArray extremes{};
    for (std::size_t i = 0; i < extremes.size(); ++i) {
        const int offset = static_cast<int>(i);
        extremes[i] = static_cast<std::int16_t>(i % 2 == 0 ? -32768 + offset : 32767 - offset);
    }
    const ScratchDirectory directory;
    const auto path = directory.write("verbatim.wav", monoWav(sampleBytes(extremes)));

    Waveshape wave;
    WaveFileLoader loader(wave);
    ASSERT_TRUE(loader.load(path.c_str()));
    EXPECT_EQ(wave.samples, extremes);
    EXPECT_FALSE(wave.resampled);
}

TEST(LoaderDataSize, Data258LeavesOutOnlyIndex64)
{
    const ScratchDirectory directory;
    const auto path = directory.write("258.wav", monoWav(indexedSampleBytes(258)));

    Waveshape wave;
    WaveFileLoader loader(wave);
    ASSERT_TRUE(loader.load(path.c_str()));
    std::vector<std::int16_t> picked(wave.samples.begin(), wave.samples.end());
    std::vector<std::int16_t> expected;
    for (std::int16_t k = 0; k <= 128; ++k)
        if (k != 64)
            expected.push_back(k);
    EXPECT_EQ(picked, expected);
}

} // namespace
