#include "CycleImport.h"

#include "CycleHarmonics.h"
#include "Recording.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>
#include <vector>

namespace hwd {

namespace {

// Harmonic 64 of 128 points is their Nyquist frequency, which cannot be told
// from its phase, so the wave keeps 63.
constexpr int harmonicsKept = waveshapeSampleCount / 2 - 1;
// A fractional cycle is fitted with at most this many harmonics, which bounds
// the fit's cost on long cycles; the fit's taper keeps those above from
// reaching the 63 the wave keeps.
constexpr int harmonicsFitted = 255;

struct Stretch {
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool isWhole(double length) noexcept
{
    return std::floor(length) == length;
}

// The frames a fractional cycle's fit needs at least: its ceil(length) frames
// and the one after, so that the fit sees a whole period.
std::uint64_t leastFittedFrames(double length) noexcept
{
    return static_cast<std::uint64_t>(std::ceil(length)) + 1;
}

// The frames a fractional cycle's fit reads: the whole frames nearest two
// periods, centred on the cycle as far as the recording allows, which
// conditions the fit well and weighs the cycle itself most; the whole
// recording when it is shorter.
Stretch fittedStretch(std::size_t size, const Cycle& cycle) noexcept
{
    const auto count = std::min<std::size_t>(size, static_cast<std::size_t>(std::llround(2.0 * cycle.length)));
    const double centred = static_cast<double>(cycle.start) + (cycle.length - static_cast<double>(count)) / 2.0;
    const std::size_t first = std::min(static_cast<std::size_t>(std::max(0.0, std::floor(centred))), size - count);
    return {first, first + count};
}

// The highest harmonic below half of length: the recording's Nyquist
// frequency for a cycle of that many frames.
int highestHarmonicBelowNyquist(double length) noexcept
{
    return static_cast<int>(std::ceil(length / 2.0)) - 1;
}

std::int16_t toSample(double value) noexcept
{
    if (std::isnan(value))
        return 0;
    return static_cast<std::int16_t>(std::clamp(std::round(value), -32768.0, 32767.0));
}

SampleArray sampled(const std::vector<std::complex<double>>& harmonics)
{
    std::array<double, waveshapeSampleCount> cosine{};
    std::array<double, waveshapeSampleCount> sine{};
    for (int j = 0; j < waveshapeSampleCount; ++j) {
        const double angle = 2.0 * std::numbers::pi * j / waveshapeSampleCount;
        cosine[static_cast<std::size_t>(j)] = std::cos(angle);
        sine[static_cast<std::size_t>(j)] = std::sin(angle);
    }
    SampleArray samples{};
    for (std::size_t j = 0; j < samples.size(); ++j) {
        double value = harmonics[0].real();
        for (std::size_t k = 1; k < harmonics.size(); ++k) {
            const std::size_t turn = (k * j) % waveshapeSampleCount;
            value += 2.0 * (harmonics[k].real() * cosine[turn] - harmonics[k].imag() * sine[turn]);
        }
        samples[j] = toSample(value);
    }
    return samples;
}

// Mean square of every stride-th frame: the loudness scan reads a quarter of
// a 48 kHz recording, and a stride that keeps 12 kHz of sampling cannot fold
// a fundamental of up to 4 kHz onto a constant.
double meanSquare(std::span<const float> frames, Stretch stretch, std::size_t stride)
{
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t n = stretch.begin; n < stretch.end; n += stride, ++count)
        sum += static_cast<double>(frames[n]) * frames[n];
    return count == 0 ? 0.0 : sum / static_cast<double>(count);
}

// The window whose quietest of itself and its two neighbours is loudest, so
// that a lone burst loses to a steady note; the whole recording when it holds
// fewer than three windows.
Stretch steadiestLoudStretch(std::span<const float> frames, std::uint32_t rate, std::size_t window)
{
    const std::size_t count = frames.size() / window;
    if (count < 3)
        return {0, frames.size()};
    const std::size_t stride = std::max<std::size_t>(1, rate / 12000);
    std::vector<double> loudness(count);
    for (std::size_t i = 0; i < count; ++i)
        loudness[i] = meanSquare(frames, {i * window, (i + 1) * window}, stride);
    std::size_t best = 1;
    double bestLoudness = -1;
    for (std::size_t i = 1; i + 1 < count; ++i) {
        const double steady = std::min({loudness[i - 1], loudness[i], loudness[i + 1]});
        if (steady > bestLoudness) {
            best = i;
            bestLoudness = steady;
        }
    }
    return {best * window, (best + 1) * window};
}

} // namespace

bool cycleFits(std::span<const float> frames, const Cycle& cycle) noexcept
{
    if (!(cycle.length >= 2.0 && cycle.length <= maximumCycleLength) || cycle.start > frames.size())
        return false;
    const std::uint64_t needed = isWhole(cycle.length) ? static_cast<std::uint64_t>(cycle.length)
                                                       : leastFittedFrames(cycle.length);
    return needed <= frames.size() - cycle.start;
}

SampleArray cycleToWave(std::span<const float> frames, const Cycle& cycle)
{
    if (!cycleFits(frames, cycle))
        return {};
    if (isWhole(cycle.length)) {
        const auto length = static_cast<std::size_t>(cycle.length);
        const int highest = std::min(harmonicsKept, highestHarmonicBelowNyquist(cycle.length));
        return sampled(CycleHarmonics::ofWholeCycle(frames.subspan(cycle.start, length), highest));
    }
    const int fitted = std::min(harmonicsFitted, highestHarmonicBelowNyquist(cycle.length));
    const Stretch read = fittedStretch(frames.size(), cycle);
    std::vector<std::complex<double>> harmonics
        = CycleHarmonics::fitted(frames.subspan(read.begin, read.end - read.begin), cycle.length, fitted,
                                 static_cast<double>(cycle.start - read.begin));
    harmonics.resize(static_cast<std::size_t>(std::min(harmonicsKept, fitted)) + 1);
    return sampled(harmonics);
}

std::optional<Cycle> findCycle(std::span<const float> frames, std::uint32_t rate)
{
    if (rate == 0 || frames.empty())
        return std::nullopt;
    // About 50 ms: the longest period looked for and two frames more, so that
    // a cycle from a window's first rising crossing ends within the next one.
    const auto window = static_cast<std::size_t>(std::ceil(rate / lowestFrequencyFound)) + 2;
    const Stretch stretch = steadiestLoudStretch(frames, rate, window);
    const std::optional<double> period = findPeriod(frames, rate, (stretch.begin + stretch.end) / 2);
    if (!period)
        return std::nullopt;
    double mean = 0;
    for (std::size_t n = stretch.begin; n < stretch.end; ++n)
        mean += frames[n];
    mean /= static_cast<double>(stretch.end - stretch.begin);
    for (std::size_t n = std::max<std::size_t>(stretch.begin, 1); n < stretch.end; ++n) {
        if (frames[n - 1] - mean < 0 && frames[n] - mean >= 0) {
            const Cycle cycle{n, *period};
            return cycleFits(frames, cycle) ? std::optional(cycle) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<CycleChoice> defaultCycle(const Recording& recording)
{
    if (recording.loop && recording.loop->end >= recording.loop->start) {
        const Cycle loop{recording.loop->start, static_cast<double>(recording.loop->end - recording.loop->start + 1)};
        if (cycleFits(recording.frames, loop))
            return CycleChoice{loop, CycleOrigin::smplLoop};
    }
    if (const std::optional<Cycle> found = findCycle(recording.frames, recording.rate))
        return CycleChoice{*found, CycleOrigin::found};
    return std::nullopt;
}

} // namespace hwd
