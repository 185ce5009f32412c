#pragma once

#include "Waveshape.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hwd {

// Writes plain WAV files: RIFF, a 16-byte "fmt " chunk of mono 16-bit PCM and
// one "data" chunk, the 44-byte header that every reader takes.
namespace WavWriter {

inline constexpr std::size_t headerBytes = 44;
inline constexpr std::uint32_t waveSampleRate = 44100;
inline constexpr std::size_t waveFileBytes = headerBytes + 2 * waveshapeSampleCount; // 300

// A mono 16-bit PCM file of these samples at rate frames per second.
[[nodiscard]] std::vector<std::uint8_t> monoPcm(std::span<const std::int16_t> samples, std::uint32_t rate);

// The wave as a file of its own: 128 samples at 44,100 Hz, 300 bytes, which
// the loader takes back verbatim, not resampled.
[[nodiscard]] std::array<std::uint8_t, waveFileBytes> waveFile(const SampleArray& samples) noexcept;

} // namespace WavWriter

} // namespace hwd
