#pragma once

#include "wave/Waveshape.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace hwd {

// The one message the synthesizer takes: a 300-byte System Exclusive waveshape
// dump of the 128 samples for one user wave slot, the 256 sample bytes packed
// into 7-bit form (a leading byte carrying bit 7 of up to seven following bytes).
namespace WaveDumpMessage {

inline constexpr std::size_t length = 300;
inline constexpr std::uint8_t firstWaveNumber = 96; // user slot 97
inline constexpr std::uint8_t lastWaveNumber = 127; // user slot 128
inline constexpr int firstUserSlot = firstWaveNumber + 1;
inline constexpr int lastUserSlot = lastWaveNumber + 1;

// Encodes wave.samples for waveNumber (slot minus one, 96 to 127) into the
// process-wide dump buffer, overwriting all 300 bytes, and returns that buffer.
// The buffer stays in place until the next build, so a port may read it meanwhile.
std::span<const std::uint8_t> build(const Waveshape& wave, std::uint8_t waveNumber) noexcept;

// The process-wide 300-byte buffer that build writes.
[[nodiscard]] std::span<const std::uint8_t, length> dumpBuffer() noexcept;

struct Decoded {
    std::uint8_t waveNumber;
    SampleArray samples;
};

// Reads a dump back: nothing when the bytes are not exactly one well-formed
// 300-byte waveshape dump for a user slot from 97 to 128.
[[nodiscard]] std::optional<Decoded> decode(std::span<const std::uint8_t> message) noexcept;

} // namespace WaveDumpMessage

} // namespace hwd
