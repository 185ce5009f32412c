#include "ToneRender.h"

#include <cmath>

namespace hwd {

namespace ToneRender {

double noteFrequency(int note) noexcept
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

std::int16_t frame(const SampleArray& samples, std::uint64_t k, double hz, std::uint32_t rate) noexcept
{
    const double place = std::fmod(((static_cast<double>(k) * hz) * 128.0) / rate, 128.0);
    const double below = std::floor(place);
    const auto index = static_cast<std::size_t>(below) % samples.size();
    const double from = samples[index];
    const double to = samples[(index + 1) % samples.size()];
    // Between two 16-bit values, so the result is one too.
    return static_cast<std::int16_t>(std::round(from + (to - from) * (place - below)));
}

std::vector<std::int16_t> render(const SampleArray& samples, double hz, double seconds, std::uint32_t rate)
{
    const auto count = static_cast<std::uint64_t>(std::llround(seconds * rate));
    std::vector<std::int16_t> frames(count);
    for (std::uint64_t k = 0; k < count; ++k)
        frames[k] = frame(samples, k, hz, rate);
    return frames;
}

} // namespace ToneRender

} // namespace hwd
