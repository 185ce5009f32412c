// The Wave Tweaker's operations on hand-checked waves, the undo snapshot each
// one takes, and the rule by which computed values become samples.
#include "tests/support/CaseNames.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

using namespace WaveOperations;

Waveshape waveOf(const SampleArray& samples)
{
    Waveshape wave;
    wave.samples = samples;
    return wave;
}

SampleArray constant(std::int16_t value)
{
    SampleArray samples{};
    samples.fill(value);
    return samples;
}

SampleArray impulse(int position, std::int16_t value)
{
    SampleArray samples{};
    samples[static_cast<std::size_t>(position)] = value;
    return samples;
}

SampleArray noise(std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-32768, 32767);
    SampleArray samples{};
    for (auto& sample : samples)
        sample = static_cast<std::int16_t>(value(random));
    return samples;
}

void expectAt(const SampleArray& samples, const std::vector<std::pair<int, int>>& expected)
{
    for (const auto& [position, value] : expected) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        EXPECT_EQ(samples[static_cast<std::size_t>(position)], value);
    }
}

void expectRange(const SampleArray& samples, int from, int to, int value)
{
    for (int i = from; i <= to; ++i) {
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_EQ(samples[static_cast<std::size_t>(i)], value);
    }
}

TEST(Filter, ConstantWaveRisesFromZero)
{
    Waveshape wave = waveOf(constant(10000));
    filter(wave);
    expectAt(wave.samples, {{0, 3599}, {1, 6479}, {2, 8208}, {3, 9129}, {4, 9590}, {5, 9811}, {6, 9914}, {7, 9961},
                            {8, 9983}, {9, 9992}, {10, 9996}, {11, 9998}});
    expectRange(wave.samples, 12, 42, 9999);
    expectRange(wave.samples, 43, 127, 10000);
}

TEST(Filter, MostNegativeConstantSettlesWithoutWrapping)
{
    Waveshape wave = waveOf(constant(-32768));
    filter(wave);
    for (std::size_t i = 1; i < wave.samples.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_LE(wave.samples[i], wave.samples[i - 1]);
        EXPECT_LT(wave.samples[i], 0);
    }
    EXPECT_EQ(wave.samples[127], -32768);
}

TEST(Filter, InputRunsOnePositionAhead)
{
    Waveshape atOne = waveOf(impulse(1, 32767));
    filter(atOne);
    expectAt(atOne.samples, {{0, 11796}, {1, 9436}, {2, 5662}, {3, 3019}, {4, 1509}});

    Waveshape atZero = waveOf(impulse(0, 32767));
    filter(atZero);
    expectRange(atZero.samples, 0, 126, 0);
    EXPECT_EQ(atZero.samples[127], 11796);
}

TEST(Filter, SilenceStaysSilent)
{
    Waveshape wave = waveOf(SampleArray{});
    filter(wave);
    EXPECT_EQ(wave.samples, SampleArray{});
}

struct NormalizeCase {
    const char* name;
    std::vector<std::pair<int, int>> before; // (position, value); the rest is 0
    std::vector<std::pair<int, int>> after;
};

std::ostream& operator<<(std::ostream& out, const NormalizeCase& normalizeCase)
{
    return out << normalizeCase.name;
}

const NormalizeCase normalizeCases[] = {
    {"Peak16384", {{0, 16384}, {1, -16384}, {2, 8192}, {3, 1}}, {{0, 32767}, {1, -32767}, {2, 16383}, {3, 1}}},
    {"Peak49FallsJustShort", {{0, 49}, {1, -49}, {2, 1}}, {{0, 32766}, {1, -32766}, {2, 668}}},
    {"Peak32767Unchanged",
     {{0, 32767}, {1, -32767}, {2, 12345}, {3, -1}},
     {{0, 32767}, {1, -32767}, {2, 12345}, {3, -1}}},
    {"Minus32768", {{0, -32768}, {1, 32767}, {2, 1}, {3, -1}}, {{0, -32767}, {1, 32766}, {2, 0}, {3, 0}}},
};

class Normalize : public testing::TestWithParam<NormalizeCase> {};

TEST_P(Normalize, ScalesThePeakTo32767)
{
    SampleArray before{};
    for (const auto& [position, value] : GetParam().before)
        before[static_cast<std::size_t>(position)] = static_cast<std::int16_t>(value);
    Waveshape wave = waveOf(before);
    normalize(wave);
    expectAt(wave.samples, GetParam().after);
    expectRange(wave.samples, static_cast<int>(GetParam().after.size()), 127, 0);
}

INSTANTIATE_TEST_SUITE_P(Peaks, Normalize, testing::ValuesIn(normalizeCases),
                         CaseNames::byName);

TEST(NormalizeSilence, LeavesSamplesButStillTakesASnapshot)
{
    Waveshape wave = waveOf(SampleArray{});
    wave.undo = noise(3);
    normalize(wave);
    EXPECT_EQ(wave.samples, SampleArray{});
    EXPECT_EQ(wave.undo, SampleArray{});
}

TEST(Additive, SinglePartialFromPositionZero)
{
    Waveshape wave = waveOf(impulse(0, 10000));
    additive(wave);
    expectAt(wave.samples, {{0, 980}, {1, 1950}, {2, 2902}, {3, 3826}, {15, 10000}, {31, 0}, {47, -10000}, {127, 0}});
}

TEST(Additive, SumWrapsAround)
{
    SampleArray samples{};
    for (const int position : {0, 21, 42, 63, 84})
        samples[static_cast<std::size_t>(position)] = 32767;
    Waveshape wave = waveOf(samples);
    additive(wave);
    EXPECT_EQ(wave.samples[0], 12542) << "3211 + 6392 + 12539 + 23169 + 32767 = 78078 wraps";
}

TEST(Additive, ReadsOnlyMultiplesOf21Below105)
{
    const SampleArray reference = noise(11);
    Waveshape expected = waveOf(reference);
    additive(expected);

    for (std::uint32_t seed = 100; seed < 110; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        SampleArray other = noise(seed);
        for (const int position : {0, 21, 42, 63, 84})
            other[static_cast<std::size_t>(position)] = reference[static_cast<std::size_t>(position)];
        Waveshape wave = waveOf(other);
        additive(wave);
        EXPECT_EQ(wave.samples, expected.samples);
    }
}

TEST(Additive, SilenceStaysSilent)
{
    Waveshape wave = waveOf(SampleArray{});
    additive(wave);
    EXPECT_EQ(wave.samples, SampleArray{});
}

TEST(RandomGenerator, SeedOneDraws)
{
    RandomGenerator random(1);
    const std::uint32_t first[] = {41, 18467, 6334, 26500, 19169};
    for (const std::uint32_t expected : first)
        EXPECT_EQ(random.next(), expected);
    for (int draw = 6; draw < 26; ++draw)
        (void)random.next();
    EXPECT_EQ(random.next(), 12382u) << "the 26th draw";
}

TEST(RandomGenerator, DrawsStayBelow32768)
{
    RandomGenerator random(0xFFFFFFFFu);
    for (int draw = 0; draw < 100000; ++draw)
        ASSERT_LE(random.next(), 32767u);
}

TEST(RandomPD, SeedOneWithOneSource)
{
    Waveshape wave = waveOf(impulse(25, 10000));
    randomPD(wave, 1);
    expectAt(wave.samples, {{0, -8911}, {1, -8639}, {2, -8340}, {3, -8014}, {4, -7662}, {5, -7285}, {127, -1761}});
}

TEST(RandomPD, SilenceStaysSilent)
{
    for (const std::uint32_t seed : {0u, 1u, 0xFFFFFFFFu}) {
        Waveshape wave = waveOf(SampleArray{});
        randomPD(wave, seed);
        EXPECT_EQ(wave.samples, SampleArray{});
    }
}

// Full-scale noise drives every source position, including those whose angles
// pass 2^53 and 2^63; the result depends on the wave and the seed alone.
TEST(RandomPD, DependsOnlyOnWaveAndSeed)
{
    const SampleArray loud = noise(21);
    Waveshape first = waveOf(loud);
    Waveshape second = waveOf(loud);
    Waveshape otherSeed = waveOf(loud);
    randomPD(first, 0xFFFFFFFFu);
    randomPD(second, 0xFFFFFFFFu);
    randomPD(otherSeed, 12345);
    EXPECT_EQ(first.samples, second.samples);
    EXPECT_NE(first.samples, otherSeed.samples);
}

struct Operation {
    const char* name;
    void (*apply)(Waveshape&);
};

std::ostream& operator<<(std::ostream& out, const Operation& operation)
{
    return out << operation.name;
}

const Operation snapshotting[] = {
    {"Filter", &filter},
    {"Normalize", &normalize},
    {"Additive", &additive},
    {"RandomPD", [](Waveshape& wave) { randomPD(wave, 1); }},
    {"Clear", &clear},
};

class Snapshot : public testing::TestWithParam<Operation> {};

TEST_P(Snapshot, UndoHoldsTheWaveFromBefore)
{
    for (const SampleArray& before : {noise(1), constant(32767), SampleArray{}}) {
        Waveshape wave = waveOf(before);
        wave.undo = constant(-5);
        GetParam().apply(wave);
        EXPECT_EQ(wave.undo, before);
        undoLast(wave);
        EXPECT_EQ(wave.samples, before);
    }
}

TEST_P(Snapshot, LeavesTheRestOfTheRecordAlone)
{
    for (const bool loaded : {false, true}) {
        Waveshape wave = waveOf(noise(2));
        wave.loaded = loaded;
        wave.resampled = !loaded;
        const char* message = "unchanged";
        wave.lastError = message;
        GetParam().apply(wave);
        EXPECT_EQ(wave.loaded, loaded);
        EXPECT_EQ(wave.resampled, !loaded);
        EXPECT_EQ(wave.lastError, message);
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, Snapshot, testing::ValuesIn(snapshotting),
                         CaseNames::byName);

TEST(Clear, SilencesTheWave)
{
    Waveshape wave = waveOf(noise(4));
    wave.loaded = true;
    clear(wave);
    EXPECT_EQ(wave.samples, SampleArray{});
    EXPECT_TRUE(wave.loaded);
}

TEST(Undo, IsNoToggle)
{
    const SampleArray original = noise(5);
    Waveshape wave = waveOf(original);
    clear(wave);
    undoLast(wave);
    EXPECT_EQ(wave.samples, original);
    undoLast(wave);
    EXPECT_EQ(wave.samples, original);
    EXPECT_EQ(wave.undo, original);
}

TEST(Undo, RightAfterASnapshotChangesNothing)
{
    const SampleArray original = noise(6);
    Waveshape wave = waveOf(original);
    takeSnapshot(wave);
    undoLast(wave);
    EXPECT_EQ(wave.samples, original);
}

TEST(Undo, DiscardsPenStrokesSinceTheSnapshot)
{
    const SampleArray original = noise(7);
    Waveshape wave = waveOf(original);
    takeSnapshot(wave);
    wave.samples[10] = 1;
    wave.samples[11] = 2;
    undoLast(wave);
    EXPECT_EQ(wave.samples, original);
}

TEST(Undo, GoesBackOneOperationOnly)
{
    Waveshape wave = waveOf(impulse(0, 10000));
    additive(wave);
    const SampleArray afterAdditive = wave.samples;
    normalize(wave);
    undoLast(wave);
    EXPECT_EQ(wave.samples, afterAdditive);
}

struct Conversion {
    double value;
    std::int16_t sample;
};

TEST(ToSample, TruncatesTowardZeroAndWraps)
{
    constexpr double twoPow63 = 9223372036854775808.0;
    const Conversion conversions[] = {
        {0.0, 0},
        {-0.0, 0},
        {0.999, 0},
        {-0.999, 0},
        {1.9, 1},
        {-1.9, -1},
        {32767.0, 32767},
        {32767.99, 32767},
        {-32768.0, -32768},
        {-32768.99, -32768},
        {32768.0, -32768},
        {40000.0, -25536},
        {-32769.0, 32767},
        {65536.0, 0},
        {65537.5, 1},
        {-65536.5, 0},
        {std::nextafter(twoPow63, 0.0), -1024}, // 2^63 - 1024: low 16 bits are 0xFC00
        {-std::nextafter(twoPow63, 0.0), 1024},
        {twoPow63, 0},
        {-twoPow63, 0},
        {1e300, 0},
        {-1e300, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Conversion& conversion : conversions) {
        SCOPED_TRACE(testing::Message() << std::hexfloat << conversion.value);
        EXPECT_EQ(toSample(conversion.value), conversion.sample);
    }
}

} // namespace
