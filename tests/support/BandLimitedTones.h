#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Tones made from their harmonic formula, for Import Cycle's tests and
// benchmarks: sums of sines with no harmonic at or above half the period in
// frames (the recording's Nyquist frequency), in the wave's units.
namespace BandLimitedTones {

enum class Shape { sine, saw, square, eightHarmonics };

// count frames of amplitude * sum_k a_k sin(2 pi k n / period) over every k below period / 2.
[[nodiscard]] std::vector<float> tone(Shape shape, double period, std::size_t count, double amplitude);

// The 128 points of the tone's cycle from frame start, with the harmonics a
// wave keeps (up to 63, and below period / 2): what the cycle's wave should be.
[[nodiscard]] std::array<double, 128> idealWave(Shape shape, double period, double start, double amplitude);

// Adds white Gaussian noise of the given RMS, the same for the same seed.
void addNoise(std::vector<float>& frames, double rms, unsigned seed);

// A tone whose period findPeriod must find within tolerance frames; those
// marked checkWave are also turned into a wave.
struct PeriodCase {
    std::string name;
    Shape shape;
    double frequency;
    std::uint32_t rate;
    bool noisy; // white noise 40 dB below the tone
    double tolerance;
    bool checkWave;
};

[[nodiscard]] std::vector<PeriodCase> periodCases();

// The case's tone: two seconds at amplitude 20000.
[[nodiscard]] std::vector<float> toneOf(const PeriodCase& row);

} // namespace BandLimitedTones
