// The period found in tones made from their harmonic formula, and the wave
// their found cycle gives against the same formula cut to the wave's harmonics.
#include "tests/support/BandLimitedTones.h"
#include "tests/support/CaseNames.h"
#include "wave/CycleImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace hwd;

namespace BandLimitedTones {
using CaseNames::PrintTo;
}

namespace {

class TonePeriod : public testing::TestWithParam<BandLimitedTones::PeriodCase> {};

TEST_P(TonePeriod, IsFoundWithinItsTolerance)
{
    const auto& row = GetParam();
    const std::vector<float> frames = BandLimitedTones::toneOf(row);
    const double period = row.rate / row.frequency;
    const std::optional<double> found = findPeriod(frames, row.rate, row.rate);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(*found, period, row.tolerance);
    if (!row.checkWave)
        return;
    const SampleArray wave = cycleToWave(frames, {row.rate, *found});
    const auto ideal = BandLimitedTones::idealWave(row.shape, period, row.rate, 20000.0);
    double squares = 0;
    for (std::size_t j = 0; j < wave.size(); ++j)
        squares += (wave[j] - ideal[j]) * (wave[j] - ideal[j]);
    EXPECT_LT(std::sqrt(squares / 128.0), 0.005 * 32768.0);
}

INSTANTIATE_TEST_SUITE_P(Tones, TonePeriod, testing::ValuesIn(BandLimitedTones::periodCases()), CaseNames::byName);

TEST(FindPeriod, NothingInSilenceNoiseOrTooFewFrames)
{
    std::vector<float> noise(96000, 0.0f);
    EXPECT_FALSE(findPeriod(noise, 48000, 48000));
    BandLimitedTones::addNoise(noise, 5000.0, 7);
    EXPECT_FALSE(findPeriod(noise, 48000, 48000));
    // 2 kHz at 48 kHz, in fewer frames than four of the shortest period looked for
    EXPECT_FALSE(findPeriod(BandLimitedTones::tone(BandLimitedTones::Shape::sine, 24.0, 47, 20000.0), 48000, 20));
}

} // namespace
