#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

// Sample runs whose values a test can work out by hand.
namespace SampleRuns {

// Sample i is first + i * step, wrapped to 16 bits.
[[nodiscard]] inline std::vector<std::int16_t> ramp(int count, int first, int step)
{
    std::vector<std::int16_t> samples;
    for (int index = 0; index < count; ++index)
        samples.push_back(static_cast<std::int16_t>(first + index * step));
    return samples;
}

// One cycle of a sine with a touch of its second harmonic, over count samples.
[[nodiscard]] inline std::vector<std::int16_t> cycle(int count, double amplitude = 30000.0)
{
    std::vector<std::int16_t> samples;
    for (int index = 0; index < count; ++index) {
        const double phase = 2.0 * std::numbers::pi * index / count;
        samples.push_back(static_cast<std::int16_t>(amplitude * (0.8 * std::sin(phase) + 0.2 * std::sin(2 * phase))));
    }
    return samples;
}

} // namespace SampleRuns
