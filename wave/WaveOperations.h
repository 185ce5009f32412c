#pragma once

#include <cstdint>

namespace hwd {

struct Waveshape;

// The Wave Tweaker's edits. Each changes the wave in place; every one but
// undoLast first copies samples into undo, so there is one level of undo.
// Computed values are truncated toward zero and wrap modulo 65536; nothing
// saturates.
namespace WaveOperations {

void takeSnapshot(Waveshape& wave) noexcept;

void filter(Waveshape& wave) noexcept;
void normalize(Waveshape& wave) noexcept;
void additive(Waveshape& wave) noexcept;
// Seeded by the caller: the desktop program passes millisecondTicks(), tests and
// the command-line tool a fixed seed.
void randomPD(Waveshape& wave, std::uint32_t seed) noexcept;
void clear(Waveshape& wave) noexcept;
void undoLast(Waveshape& wave) noexcept;

// Stores a computed value as a sample: truncated toward zero to 64 bits, low 16
// bits kept; magnitudes of 2^63 and more (and NaN) are stored as 0.
[[nodiscard]] std::int16_t toSample(double value) noexcept;

// Milliseconds since the system started, modulo 2^32: Random PD's usual seed.
[[nodiscard]] std::uint32_t millisecondTicks() noexcept;

// The pseudo-random generator of Random PD: draws 0 to 32767.
class RandomGenerator final {
public:
    explicit RandomGenerator(std::uint32_t seed) noexcept : state_(seed) {}
    std::uint32_t next() noexcept
    {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 0x7FFFu;
    }

private:
    std::uint32_t state_;
};

} // namespace WaveOperations

} // namespace hwd
