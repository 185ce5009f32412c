// A cycle turned into a wave (whole lengths against values known by hand,
// fractional ones against the tone's formula), when a cycle fits, the cycle
// found in a recording and the one Import takes by default.
#include "tests/support/BandLimitedTones.h"
#include "wave/CycleImport.h"
#include "wave/Recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

using BandLimitedTones::Shape;

// A two-point moving sum of random integers has nothing at harmonic 64, so a
// 128-frame cycle of it holds only what a wave keeps.
TEST(CycleToWave, A128FrameCycleWithoutHarmonic64ComesBackAsItIs)
{
    std::mt19937 random(128);
    std::uniform_int_distribution<int> value(-16383, 16383);
    std::vector<int> draws(128);
    for (int& draw : draws)
        draw = value(random);
    std::vector<float> frames(5, 9999.0f); // the cycle starts at frame 5, with frames on each side
    SampleArray expected{};
    for (std::size_t n = 0; n < 128; ++n)
        frames.push_back(expected[n] = static_cast<std::int16_t>(draws[n] + draws[(n + 1) % 128]));
    frames.push_back(-9999.0f);
    EXPECT_EQ(cycleToWave(frames, {5, 128}), expected);
}

// 8 frames hold harmonics 0 to 3: harmonic 3 stays, harmonic 4 (+-500) goes.
TEST(CycleToWave, ACycleUnder128FramesKeepsTheHarmonicsBelowHalfItsLength)
{
    std::vector<float> frames;
    for (int n = 0; n < 8; ++n)
        frames.push_back(static_cast<float>(1000.0 * std::cos(2 * std::numbers::pi * 3 * n / 8) + (n % 2 ? -500 : 500)));
    const SampleArray wave = cycleToWave(frames, {0, 8});
    for (int j = 0; j < 128; ++j)
        EXPECT_EQ(wave[static_cast<std::size_t>(j)], std::round(1000.0 * std::cos(2 * std::numbers::pi * 3 * j / 128)));
}

// Two frames hold no harmonic: every point is their mean, rounded halves away
// from zero and held to 16 bits.
TEST(CycleToWave, TheMeanIsRoundedHalvesAwayFromZeroAndClipped)
{
    const struct { float a, b; int expected; } rows[] = {{2, 3, 3}, {-2, -3, -3}, {0, 1, 1}, {-1, 0, -1},
        {1, 1.98f, 1}, {40000, 30000, 32767}, {-40000, -30000, -32768}};
    for (const auto& row : rows) {
        SampleArray expected{};
        expected.fill(static_cast<std::int16_t>(row.expected));
        EXPECT_EQ(cycleToWave(std::vector<float>{row.a, row.b}, {0, 2}), expected) << row.a << ", " << row.b;
    }
    EXPECT_EQ(cycleToWave(std::vector<float>(300, 1000.25f), {0, 300})[77], 1000);
}

// A whole cycle needs its frames; a fractional one the frame after its end.
TEST(CycleFits, WithinTheFramesAndBetween2And65536FramesLong)
{
    const std::vector<float> frames(70000);
    const struct { Cycle cycle; bool fits; } rows[] = {{{0, 70000}, false}, {{69998, 2}, true},
        {{69999, 2}, false}, {{0, 1.5}, false}, {{69996, 2.5}, true}, {{69997, 2.5}, false}, {{4464, 65536}, true},
        {{0, 65536.5}, false}, {{70001, 2}, false}, {{0, std::nan("")}, false}};
    for (const auto& row : rows)
        EXPECT_EQ(cycleFits(frames, row.cycle), row.fits) << row.cycle.start << " + " << row.cycle.length;
}

// Every harmonic the recording holds, and for the long square many loud ones
// above the 255 fitted, against the formula cut to the wave's harmonics.
TEST(CycleToWave, AFractionalCycleIsFittedToWithinOneOfTheFormula)
{
    for (const auto& [shape, period] : {std::pair{Shape::saw, 400.91}, {Shape::saw, 100.5}, {Shape::square, 2400.5}}) {
        const SampleArray wave = cycleToWave(BandLimitedTones::tone(shape, period, 6000, 20000.0), {1000, period});
        const auto ideal = BandLimitedTones::idealWave(shape, period, 1000, 20000.0);
        for (std::size_t j = 0; j < 128; ++j)
            ASSERT_NEAR(wave[j], ideal[j], 1.0) << period << " at " << j;
    }
}

// Quiet 100 Hz with a lone loud 50 ms burst of 300 Hz, then a steady louder
// 200 Hz whose frames never sit on zero.
TEST(FindCycle, TheSteadiestLoudestStretchFromARisingZeroCrossing)
{
    std::vector<float> frames = BandLimitedTones::tone(Shape::sine, 480.0, 48000, 2000.0);
    const std::vector<float> burst = BandLimitedTones::tone(Shape::sine, 160.0, 2400, 30000.0);
    std::copy(burst.begin(), burst.end(), frames.begin() + 24000);
    for (std::size_t n = 0; n < 48000; ++n)
        frames.push_back(static_cast<float>(10000.0 * std::sin(2 * std::numbers::pi * (n + 0.5) / 240.0)));
    const std::optional<Cycle> cycle = findCycle(frames, 48000);
    ASSERT_TRUE(cycle.has_value());
    EXPECT_NEAR(cycle->length, 240.0, 0.01);
    EXPECT_GE(cycle->start, 48000u);
    EXPECT_LT(frames[cycle->start - 1], 0.0f);
    EXPECT_GE(frames[cycle->start], 0.0f);
}

TEST(DefaultCycle, TheLoopWhenItFitsElseTheCycleFoundElseNothing)
{
    Recording recording;
    recording.rate = 48000;
    recording.frames = BandLimitedTones::tone(Shape::saw, 240.0, 48000, 20000.0);
    recording.loop = LoopPoints{100, 399};
    EXPECT_EQ(defaultCycle(recording).value().cycle, (Cycle{100, 300.0}));
    EXPECT_EQ(defaultCycle(recording).value().origin, CycleOrigin::smplLoop);
    recording.loop = LoopPoints{47900, 48000}; // one frame past the end
    EXPECT_EQ(defaultCycle(recording).value().cycle, findCycle(recording.frames, 48000));
    EXPECT_EQ(defaultCycle(recording).value().origin, CycleOrigin::found);
    recording.frames.assign(48000, 0.0f);
    EXPECT_FALSE(defaultCycle(recording).has_value());
}

} // namespace
