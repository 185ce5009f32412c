#include "WaveOperations.h"

#include "Waveshape.h"

#include <chrono>
#include <cmath>

namespace hwd {

namespace WaveOperations {
namespace {

constexpr double smoothing = 0.6;
constexpr double inputScale = 1.0 / 32767.0; // applied by multiplication
constexpr double fullScale = 32767.0;
constexpr double pi = 3.1415926535; // cut to ten decimals, as the instrument's tools use it
constexpr double additiveBaseStep = pi / 64;
constexpr double randomPDBaseStep = pi / 2097152;
constexpr double stepGrowth = 1.5;
constexpr double positionOffset = 1.0;
constexpr int additivePartials = 7;
constexpr int additiveStride = 21;
constexpr double twoPow63 = 9223372036854775808.0;

std::int16_t wrappingAdd(std::int16_t a, std::int16_t b) noexcept
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(a) + static_cast<std::uint16_t>(b));
}

} // namespace

std::int16_t toSample(double value) noexcept
{
    if (!(std::fabs(value) < twoPow63))
        return 0;
    const auto whole = static_cast<std::int64_t>(value);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(whole) & 0xFFFFu));
}

void takeSnapshot(Waveshape& wave) noexcept
{
    wave.undo = wave.samples;
}

void filter(Waveshape& wave) noexcept
{
    takeSnapshot(wave);
    const SampleArray& input = wave.undo;
    double stage1 = 0.0;
    double stage2 = 0.0;
    for (int i = 0; i < waveshapeSampleCount; ++i) {
        // The input runs one position ahead of the output and wraps at the end.
        const double x = input[static_cast<std::size_t>((i + 1) % waveshapeSampleCount)];
        const double in = x * inputScale;
        stage1 = stage1 + (in - stage1) * smoothing;
        stage2 = stage2 + (stage1 - stage2) * smoothing;
        wave.samples[static_cast<std::size_t>(i)] = toSample(fullScale * stage2);
    }
}

void normalize(Waveshape& wave) noexcept
{
    takeSnapshot(wave);
    std::int32_t peak = 0;
    for (const std::int16_t sample : wave.samples) {
        const std::int32_t magnitude = sample < 0 ? -std::int32_t{sample} : std::int32_t{sample};
        if (magnitude > peak)
            peak = magnitude;
    }
    if (peak == 0)
        return;
    const double factor = fullScale / peak;
    for (std::int16_t& sample : wave.samples)
        sample = toSample(sample * factor);
}

void additive(Waveshape& wave) noexcept
{
    takeSnapshot(wave);
    SampleArray sum{};
    double step = additiveBaseStep;
    for (int partial = 0; partial < additivePartials; ++partial) {
        const double amplitude = wave.samples[static_cast<std::size_t>(additiveStride * partial)];
        step = step + step;
        for (int i = 0; i < waveshapeSampleCount; ++i) {
            const double term = std::sin((i + positionOffset) * step) * amplitude;
            auto& entry = sum[static_cast<std::size_t>(i)];
            entry = wrappingAdd(entry, toSample(term));
        }
    }
    wave.samples = sum;
}

void randomPD(Waveshape& wave, std::uint32_t seed) noexcept
{
    RandomGenerator random(seed);
    double step = randomPDBaseStep;
    takeSnapshot(wave);
    SampleArray sum{};
    for (int source = 0; source < waveshapeSampleCount; ++source) {
        const double amplitude = wave.samples[static_cast<std::size_t>(source)];
        step = step * stepGrowth;
        const std::uint32_t offset = random.next();
        for (int i = 0; i < waveshapeSampleCount; ++i) {
            const double angle = (static_cast<double>(static_cast<std::uint32_t>(i) + offset) + positionOffset) * step;
            const double term = angle >= twoPow63 ? 0.0 : std::sin(angle) * amplitude;
            auto& entry = sum[static_cast<std::size_t>(i)];
            entry = wrappingAdd(entry, toSample(term));
        }
    }
    wave.samples = sum;
}

void clear(Waveshape& wave) noexcept
{
    takeSnapshot(wave);
    wave.samples.fill(0);
}

void undoLast(Waveshape& wave) noexcept
{
    wave.samples = wave.undo;
}

std::uint32_t millisecondTicks() noexcept
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

} // namespace WaveOperations

} // namespace hwd
