#pragma once

#include "Waveshape.h"

#include <cstdint>
#include <vector>

namespace hwd {

// The tone a wave makes when it is played as one cycle after another: what
// Listen plays and `wavedump render` writes. Each frame is worked out from its
// own number, never accumulated from the one before, so nothing drifts.
namespace ToneRender {

// A MIDI note's frequency in equal temperament with A4 (note 69) at 440 Hz.
[[nodiscard]] double noteFrequency(int note) noexcept;

// Frame k of the tone at frequency hz and rate frames per second: the place p
// = fmod(((k * hz) * 128) / rate, 128) in the cycle, the sample below it and the
// one after (sample 0 after sample 127), joined by a straight line, rounded to
// the nearest integer with halves away from zero.
[[nodiscard]] std::int16_t frame(const SampleArray& samples, std::uint64_t k, double hz, std::uint32_t rate) noexcept;

// seconds * rate frames, rounded to the nearest whole frame, at full level.
[[nodiscard]] std::vector<std::int16_t> render(const SampleArray& samples, double hz, double seconds,
                                               std::uint32_t rate);

} // namespace ToneRender

} // namespace hwd
