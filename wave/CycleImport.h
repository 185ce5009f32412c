#pragma once

#include "Waveshape.h"

#include <cstdint>
#include <optional>
#include <span>

namespace hwd {

struct Recording;

// One cycle of a recording: the frame it starts at and its length in frames,
// which may be fractional.
struct Cycle {
    std::uint64_t start = 0;
    double length = 0;
    friend bool operator==(const Cycle&, const Cycle&) = default;
};

// Where a cycle came from: the smpl chunk's first loop, found by the program,
// or given by the user.
enum class CycleOrigin { smplLoop, found, given };

struct CycleChoice {
    Cycle cycle;
    CycleOrigin origin = CycleOrigin::given;
};

// The longest cycle taken, found or given: far below any pitch, so that a
// mistyped length cannot stall the program.
inline constexpr double maximumCycleLength = 65536.0;

// The shortest and longest periods looked for: 4 kHz and 20 Hz.
inline constexpr double lowestFrequencyFound = 20.0;
inline constexpr double highestFrequencyFound = 4000.0;

// The fundamental period in frames (fractional), measured around frame near,
// or nothing when there is no steady pitch there: silence, noise, or too few
// frames (a recording shorter than two of the longest periods is searched for
// periods up to about half its length, one shorter than four of the shortest
// for none). Pitches from lowestFrequencyFound to highestFrequencyFound; a
// clean tone of a couple of seconds is measured to within 0.01 frames, one
// with white noise 40 dB below it to within 0.1.
[[nodiscard]] std::optional<double> findPeriod(std::span<const float> frames, std::uint32_t rate,
                                               std::uint64_t near);

// The cycle the program finds by itself: the period measured in the steadiest,
// loudest stretch of the recording (the 50 ms window whose quietest of itself
// and its two neighbours is loudest), starting at the first rising zero
// crossing there of the stretch less its mean: the first frame n with
// x[n-1] < 0 <= x[n]. Nothing when there is no pitch there or the cycle
// would not fit.
[[nodiscard]] std::optional<Cycle> findCycle(std::span<const float> frames, std::uint32_t rate);

// The cycle Import takes by default: the smpl loop (end - start + 1 frames
// from its start) when there is one and it fits, else the one found; nothing
// when neither exists.
[[nodiscard]] std::optional<CycleChoice> defaultCycle(const Recording& recording);

// Whether cycle can be taken from frames: its length is from 2 to
// maximumCycleLength, and the frames it reads exist. A whole length L reads
// the L frames from its start; a fractional length P reads at least
// ceil(P) + 1 of them (the cycle and the frame after its end).
[[nodiscard]] bool cycleFits(std::span<const float> frames, const Cycle& cycle) noexcept;

// The cycle as one period of a periodic signal, band-limited to the
// harmonics 128 points can hold, sampled at 128 equal steps from its start,
// rounded halves away from zero and clipped to the 16-bit range.
//
// A whole length L is exact: X_k = sum_{n<L} x[start+n] e^(-2 pi i k n / L) and
// y_j = (X_0 + 2 Re sum_{k=1}^{K} X_k e^(2 pi i k j / 128)) / L, where K is 63,
// or the highest k below L / 2 when L is under 128.
//
// A fractional length P is fitted by least squares with harmonics 0 to
// min(255, the highest k below P / 2) of period P, over the round(2P) frames
// centred on the cycle (as far as the recording allows; the whole recording
// when it is shorter), weighed by a sin^2 taper; then y_j as above from the
// harmonics up to min(63, that highest). The fit is exact, to within double
// precision, when the frames it reads are a signal of period P with no
// harmonic at or above P / 2, nor above 255; with two periods to read, the
// harmonics above 255 that a long cycle holds too move its points by well
// under one. A harmonic within a few thousandths of P / 2 is barely told
// from its mirror and is taken approximately.
//
// A cycle that does not fit gives silence, and a NaN frame's point is 0.
[[nodiscard]] SampleArray cycleToWave(std::span<const float> frames, const Cycle& cycle);

} // namespace hwd
