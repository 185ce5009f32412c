#pragma once

#include "wave/Waveshape.h"

#include <cstddef>
#include <cstdint>

// Waves whose preview frames are known without working the tone out: 375 Hz
// at 48,000 frames per second steps exactly one sample a frame (375 * 128 =
// 48,000), so frame k of the tone is sample k mod 128, nothing interpolated.
namespace RampTone {

inline constexpr double oneSampleAFrame = 375.0;

// Sample i is (i - 64) * 512: -32768 up to 32256 in even steps, so that at
// half level frame k is ((k mod 128) - 64) * 256 exactly.
inline hwd::Waveshape wave()
{
    hwd::Waveshape wave;
    wave.loaded = true;
    for (int i = 0; i < hwd::waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>((i - 64) * 512);
    return wave;
}

inline int halfLevelFrame(std::size_t k)
{
    return (static_cast<int>(k % 128) - 64) * 256;
}

// The edit: sample i becomes 1000 - 10 * i, a gentle fall, so that at half
// level frame k is 500 - 5 * (k mod 128).
inline void edit(hwd::Waveshape& wave)
{
    for (int i = 0; i < hwd::waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(1000 - 10 * i);
}

inline int editedHalfLevelFrame(std::size_t k)
{
    return 500 - 5 * static_cast<int>(k % 128);
}

} // namespace RampTone
