// findPeriod: a coarse period from the cumulative-mean-normalised difference
// function (as YIN has it), then refined on lags of many periods at once,
// where the same error in frames is shared by every period in the lag.
//
// The difference function of a band-limited tone is itself band-limited in
// the lag, so it is read between whole lags by windowed-sinc interpolation: a
// bright tone whose period falls half-way between two frames differs from
// itself by a quarter of its energy at either whole lag, and by nothing between.
#include "CycleImport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace hwd {

namespace {

// The coarse period is at the first dip of the normalised difference below
// this (white noise stays near 1) ...
constexpr double dipThreshold = 0.15;
// ... looked for between whole lags only where a whole lag is below this:
// even a bright tone half-way between two lags is at less than half of it.
constexpr double wholeLagThreshold = 0.6;
// ... and a lag of many periods counts while the frames a lag apart differ by
// no more than this share of their energy; beyond it the note has moved on.
constexpr double steadyThreshold = 0.1;
// Whole lags on each side of a point that its interpolation reads.
constexpr std::size_t taps = 8;
// How far from its guess a dip of many periods is looked for, in lags.
constexpr std::size_t reach = 2;

// The sum of (a[n] - b[n])^2, in four running sums so that the additions
// overlap.
double squaredDifference(const float* a, const float* b, std::size_t count) noexcept
{
    double sums[4] = {0, 0, 0, 0};
    std::size_t n = 0;
    for (; n + 4 <= count; n += 4) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            const double difference = static_cast<double>(a[n + lane]) - b[n + lane];
            sums[lane] += difference * difference;
        }
    }
    for (; n < count; ++n) {
        const double difference = static_cast<double>(a[n]) - b[n];
        sums[0] += difference * difference;
    }
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

double energy(const float* a, std::size_t count) noexcept
{
    double sum = 0;
    for (std::size_t n = 0; n < count; ++n)
        sum += static_cast<double>(a[n]) * a[n];
    return sum;
}

// The first frame of span frames centred on near, moved to lie within size.
std::size_t centredOn(std::uint64_t near, std::size_t span, std::size_t size) noexcept
{
    const std::uint64_t first = near > span / 2 ? near - span / 2 : 0;
    return static_cast<std::size_t>(std::min<std::uint64_t>(first, size - span));
}

double sinc(double x) noexcept
{
    return x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

// The difference function at whole lags first, first + 1, ... read at any lag
// at least taps lags inside them, through a Lanczos kernel.
class DifferenceFunction final {
public:
    DifferenceFunction(std::vector<double> values, std::ptrdiff_t first) : values_(std::move(values)), first_(first) {}

    [[nodiscard]] double operator[](std::ptrdiff_t lag) const noexcept
    {
        return values_[static_cast<std::size_t>(lag - first_)];
    }

    [[nodiscard]] double at(double lag) const noexcept
    {
        const auto nearest = static_cast<std::ptrdiff_t>(std::floor(lag));
        const auto reach = static_cast<std::ptrdiff_t>(taps);
        double sum = 0;
        for (std::ptrdiff_t whole = nearest - reach + 1; whole <= nearest + reach; ++whole) {
            const double offset = lag - static_cast<double>(whole);
            sum += (*this)[whole] * sinc(offset) * sinc(offset / taps);
        }
        return sum;
    }

    struct Dip {
        double lag = 0;
        double value = 0;
        bool inside = false; // lowest strictly between from and to, not at either end
    };

    // The lowest point between lags from and to: on a grid of sixteenths, then
    // on finer grids around the lowest point so far.
    [[nodiscard]] Dip lowestBetween(double from, double to) const noexcept
    {
        Dip best{from, at(from)};
        for (double step = 1.0 / 16; step > 1e-4; step /= 16) {
            const double centre = best.lag;
            const double low = step < 1.0 / 16 ? centre - 16 * step : from;
            const double high = step < 1.0 / 16 ? centre + 16 * step : to;
            for (double lag = std::max(low, from); lag <= std::min(high, to); lag += step) {
                const double value = at(lag);
                if (value < best.value)
                    best = {lag, value};
            }
        }
        best.inside = best.lag > from + 1.0 / 16 && best.lag < to - 1.0 / 16;
        return best;
    }

private:
    std::vector<double> values_;
    std::ptrdiff_t first_;
};

// The first local minimum of the normalised difference whose lowest point
// between whole lags is below the threshold, over window frames centred on
// near; nothing when it never dips (silence, noise).
std::optional<double> coarsePeriod(std::span<const float> frames, std::uint64_t near, std::size_t shortestLag,
                                   std::size_t longestLag, std::size_t window)
{
    const std::size_t lastLag = longestLag + taps;
    const float* a = frames.data() + centredOn(near, window + lastLag, frames.size());
    // Lags -taps to lastLag; the function is even in the lag (comparing a
    // steady tone with itself earlier is as good as later), so the short lags
    // that a period of a few frames is read between are there too.
    std::vector<double> values(taps + lastLag + 1);
    for (std::size_t lag = 1; lag <= lastLag; ++lag)
        values[taps + lag] = squaredDifference(a, a + lag, window);
    for (std::size_t lag = 1; lag <= taps; ++lag)
        values[taps - lag] = values[taps + lag];
    const DifferenceFunction difference(std::move(values), -static_cast<std::ptrdiff_t>(taps));
    double running = 0; // the sum of the difference up to lag, for its mean
    for (std::size_t whole = 1; whole < longestLag; ++whole) {
        const auto lag = static_cast<std::ptrdiff_t>(whole);
        running += difference[lag];
        if (whole < shortestLag || difference[lag] > difference[lag - 1] || difference[lag] > difference[lag + 1]
            || !(difference[lag] * static_cast<double>(whole) < wholeLagThreshold * running))
            continue;
        const auto dip = difference.lowestBetween(static_cast<double>(lag) - 1.0, static_cast<double>(lag) + 1.0);
        if (running > 0 && dip.value * static_cast<double>(whole) / running < dipThreshold)
            return dip.lag;
    }
    return std::nullopt;
}

// The lag of the dip within reach of guess, over window frames compared with
// those a lag later, centred on near; nothing when it lies out of reach or
// the frames there differ more than a steady note's.
std::optional<double> steadyDipNear(std::span<const float> frames, std::uint64_t near, double guess,
                                    std::size_t window)
{
    const auto centre = static_cast<std::size_t>(std::llround(guess));
    if (centre <= reach + taps)
        return guess; // too short to read between; the next, longer lag will
    const std::size_t first = centre - reach - taps;
    const std::size_t span = window + centre + reach + taps;
    if (span > frames.size())
        return std::nullopt;
    const float* a = frames.data() + centredOn(near, span, frames.size());
    std::vector<double> values;
    for (std::size_t lag = first; lag <= centre + reach + taps; ++lag)
        values.push_back(squaredDifference(a, a + lag, window));
    const DifferenceFunction difference(std::move(values), static_cast<std::ptrdiff_t>(first));
    const auto dip = difference.lowestBetween(static_cast<double>(centre - reach), static_cast<double>(centre + reach));
    const double energies = energy(a, window) + energy(a + std::lround(dip.lag), window);
    if (!dip.inside || !(dip.value <= steadyThreshold * energies))
        return std::nullopt;
    return dip.lag;
}

} // namespace

std::optional<double> findPeriod(std::span<const float> frames, std::uint32_t rate, std::uint64_t near)
{
    if (rate == 0)
        return std::nullopt;
    const auto shortestLag = std::max<std::size_t>(2, static_cast<std::size_t>(rate / highestFrequencyFound));
    // The window holds the longest period, or half of a shorter recording.
    const std::size_t longestLag = std::min(static_cast<std::size_t>(std::ceil(rate / lowestFrequencyFound)) + 1,
                                            frames.size() / 2 - std::min(frames.size() / 2, taps + 1));
    if (longestLag < 2 * shortestLag)
        return std::nullopt;
    const std::size_t window = longestLag;
    std::optional<double> period = coarsePeriod(frames, near, shortestLag, longestLag, window);
    if (!period)
        return std::nullopt;
    // Grow the lag to 2, 4, 8 ... periods, as far as the recording and the
    // steady stretch hold, and lastly to the most whole periods that fit.
    double periods = 1;
    for (;;) {
        const double fitting = std::floor(static_cast<double>(frames.size() - window - reach - taps - 1) / *period);
        const double next = std::min(2 * periods, fitting);
        if (next <= periods)
            break;
        const std::optional<double> lag = steadyDipNear(frames, near, next * *period, window);
        if (!lag)
            break;
        period = *lag / next;
        periods = next;
    }
    return period;
}

} // namespace hwd
