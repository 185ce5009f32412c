#include "CycleHarmonics.h"

#include "HermitianToeplitz.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace hwd::CycleHarmonics {

namespace {

using Complex = std::complex<double>;

constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr double diagonalLoading = 1e-9;

// sum_{n=0}^{count-1} e^(i angle n), in closed form.
Complex geometricSum(double angle, std::size_t count)
{
    const double frames = static_cast<double>(count);
    const double half = std::sin(angle / 2.0);
    const double magnitude = half == 0.0 ? frames : std::sin(angle * frames / 2.0) / half;
    const double centre = angle * (frames - 1.0) / 2.0;
    return magnitude * Complex(std::cos(centre), std::sin(centre));
}

// The fit weighs frame n of count by sin^2(pi (n + 1) / (count + 1)): a taper
// whose spectrum falls fast, so that harmonics above those fitted, which a fit
// over a fractional number of periods cannot keep apart from them, reach the
// low ones only faintly.
double taper(std::size_t n, std::size_t count)
{
    const double sine = std::sin(std::numbers::pi * static_cast<double>(n + 1) / static_cast<double>(count + 1));
    return sine * sine;
}

// sum_n taper(n) e^(2 pi i m n / length): the weighted Gram matrix of the
// harmonics, entry by entry, the taper being 1/2 - (e^(i b (n+1)) + e^(-i b (n+1))) / 4.
Complex harmonicOverlap(int m, std::size_t count, double length)
{
    const double angle = twoPi * m / length;
    const double b = twoPi / static_cast<double>(count + 1);
    return 0.5 * geometricSum(angle, count) - 0.25 * std::polar(1.0, b) * geometricSum(angle + b, count)
        - 0.25 * std::polar(1.0, -b) * geometricSum(angle - b, count);
}

} // namespace

std::vector<Complex> ofWholeCycle(std::span<const float> cycle, int highest)
{
    const std::size_t length = cycle.size();
    std::vector<double> cosine(length);
    std::vector<double> sine(length);
    for (std::size_t n = 0; n < length; ++n) {
        const double angle = twoPi * static_cast<double>(n) / static_cast<double>(length);
        cosine[n] = std::cos(angle);
        sine[n] = std::sin(angle);
    }
    std::vector<Complex> harmonics(static_cast<std::size_t>(highest) + 1);
    for (std::size_t k = 0; k < harmonics.size(); ++k) {
        double real = 0;
        double imaginary = 0;
        std::size_t turn = 0; // k * n modulo length
        for (std::size_t n = 0; n < length; ++n) {
            real += cycle[n] * cosine[turn];
            imaginary -= cycle[n] * sine[turn];
            turn += k;
            if (turn >= length)
                turn -= length;
        }
        harmonics[k] = Complex(real, imaginary) / static_cast<double>(length);
    }
    return harmonics;
}

std::vector<Complex> fitted(std::span<const float> frames, double length, int highest, double origin)
{
    const auto harmonicCount = static_cast<std::size_t>(highest) + 1;
    // The fit's unknowns are the amplitudes of harmonics -highest ... highest;
    // a real recording's negative ones are the conjugates of its positive ones,
    // so the projections onto them need computing only once.
    // Harmonics k, k + 1, k + 2 and k + 3 of a frame come from the four below
    // them by one turn of four: four independent running products, which the
    // processor overlaps, each four times shorter than one through every k.
    constexpr std::size_t lanes = 4;
    const std::size_t paddedCount = (harmonicCount + lanes - 1) / lanes * lanes;
    std::vector<double> projectionReal(paddedCount);
    std::vector<double> projectionImaginary(paddedCount);
    for (std::size_t n = 0; n < frames.size(); ++n) {
        // Each frame's phase is taken modulo the period first, so that a late
        // frame's angle is as precise as an early one's.
        const double turns = std::fmod(static_cast<double>(n), length) / length;
        double real[lanes];
        double imaginary[lanes];
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            real[lane] = std::cos(twoPi * turns * static_cast<double>(lane));
            imaginary[lane] = -std::sin(twoPi * turns * static_cast<double>(lane));
        }
        const double stepReal = std::cos(twoPi * turns * lanes);
        const double stepImaginary = -std::sin(twoPi * turns * lanes);
        const double value = taper(n, frames.size()) * frames[n];
        for (std::size_t k = 0; k < paddedCount; k += lanes) {
            for (std::size_t lane = 0; lane < lanes; ++lane) {
                projectionReal[k + lane] += value * real[lane];
                projectionImaginary[k + lane] += value * imaginary[lane];
                const double nextReal = real[lane] * stepReal - imaginary[lane] * stepImaginary;
                imaginary[lane] = real[lane] * stepImaginary + imaginary[lane] * stepReal;
                real[lane] = nextReal;
            }
        }
    }
    const std::size_t unknowns = 2 * harmonicCount - 1;
    std::vector<Complex> projections(unknowns);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const Complex projection(projectionReal[k], projectionImaginary[k]);
        projections[static_cast<std::size_t>(highest) + k] = projection;
        projections[static_cast<std::size_t>(highest) - k] = std::conj(projection);
    }
    // Gram(k, l) = overlap(l - k), so its first column holds overlap(-m).
    std::vector<Complex> gramColumn(unknowns);
    for (std::size_t m = 0; m < unknowns; ++m)
        gramColumn[m] = std::conj(harmonicOverlap(static_cast<int>(m), frames.size(), length));
    gramColumn[0] *= 1.0 + diagonalLoading;
    const std::vector<Complex> amplitudes = solveHermitianToeplitz(gramColumn, projections);
    // The fit's phases are those of the first frame; the cycle starts origin
    // frames later.
    std::vector<Complex> harmonics(harmonicCount);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const Complex amplitude = 0.5 * (amplitudes[static_cast<std::size_t>(highest) + k]
                                         + std::conj(amplitudes[static_cast<std::size_t>(highest) - k]));
        const double turns = std::fmod(static_cast<double>(k) * origin, length) / length;
        harmonics[k] = amplitude * std::polar(1.0, twoPi * turns);
    }
    return harmonics;
}

} // namespace hwd::CycleHarmonics
