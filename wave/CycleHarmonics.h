#pragma once

#include <complex>
#include <span>
#include <vector>

namespace hwd {

// The harmonics of one cycle of a recording, as complex amplitudes z_0 ... z_K
// of the periodic signal z_0 + 2 Re sum_k z_k e^(2 pi i k n / length) that the
// cycle is taken to be; frame n is the n-th frame from the cycle's start.
namespace CycleHarmonics {

// A whole length: the frames are exactly one cycle and z_k is the discrete
// Fourier transform X_k / length, k = 0 ... highest (below length / 2).
[[nodiscard]] std::vector<std::complex<double>> ofWholeCycle(std::span<const float> cycle, int highest);

// A fractional length: the least-squares fit of harmonics 0 ... highest
// (below length / 2) of period length to every frame given, with phases
// taken at frame origin (the cycle's start); exact when the frames are such a
// signal. The frames are weighed by a taper, and the normal matrix's diagonal
// is loaded by one part in 10^9, which keeps a harmonic just under the
// recording's Nyquist frequency, that so few frames barely tell apart from
// its mirror, from swamping the others.
[[nodiscard]] std::vector<std::complex<double>> fitted(std::span<const float> frames, double length, int highest,
                                                       double origin);

} // namespace CycleHarmonics

} // namespace hwd
