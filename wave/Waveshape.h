#pragma once

#include <array>
#include <cstdint>

namespace hwd {

inline constexpr int waveshapeSampleCount = 128;

using SampleArray = std::array<std::int16_t, waveshapeSampleCount>;

// The one wave the program works on: the loader fills it, the views paint it and
// take pen points into it, the operations transform it and the dump encodes it.
// Everybody works on the same record in place; nobody keeps a copy.
struct Waveshape {
    bool loaded = false;
    bool resampled = false;
    SampleArray samples{};
    SampleArray undo{};
    const char* lastError = "";
};

// The process-wide current wave, zero-initialised at start-up.
[[nodiscard]] Waveshape& currentWaveshape() noexcept;

} // namespace hwd
