#include "BandLimitedTones.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <sstream>

namespace BandLimitedTones {

namespace {

// The Fourier series of the ideal waveforms, each peaking at 1.
double harmonicLevel(Shape shape, int k)
{
    switch (shape) {
    case Shape::sine:
        return k == 1 ? 1.0 : 0.0;
    case Shape::saw:
        return (k % 2 == 1 ? 2.0 : -2.0) / (std::numbers::pi * k);
    case Shape::square:
        return k % 2 == 1 ? 4.0 / (std::numbers::pi * k) : 0.0;
    case Shape::eightHarmonics:
        return k <= 8 ? 1.0 / 8.0 : 0.0;
    }
    return 0.0;
}

int highestBelowNyquist(double period)
{
    return static_cast<int>(std::ceil(period / 2.0)) - 1;
}

// The tone cycles periods from its start; harmonic k comes from the first by
// turning it k times, so there is one sine and cosine a point.
double at(Shape shape, double cycles, double amplitude, int highest)
{
    const double angle = 2.0 * std::numbers::pi * (cycles - std::floor(cycles));
    const double stepCosine = std::cos(angle);
    const double stepSine = std::sin(angle);
    double cosine = stepCosine;
    double sine = stepSine;
    double sum = 0;
    for (int k = 1; k <= highest; ++k) {
        sum += harmonicLevel(shape, k) * sine;
        const double nextCosine = cosine * stepCosine - sine * stepSine;
        sine = sine * stepCosine + cosine * stepSine;
        cosine = nextCosine;
    }
    return amplitude * sum;
}

} // namespace

std::vector<float> tone(Shape shape, double period, std::size_t count, double amplitude)
{
    std::vector<float> frames(count);
    for (std::size_t n = 0; n < count; ++n)
        frames[n] = static_cast<float>(at(shape, static_cast<double>(n) / period, amplitude, highestBelowNyquist(period)));
    return frames;
}

std::array<double, 128> idealWave(Shape shape, double period, double start, double amplitude)
{
    std::array<double, 128> points{};
    for (std::size_t j = 0; j < points.size(); ++j) {
        points[j] = at(shape, start / period + static_cast<double>(j) / 128.0, amplitude,
                       std::min(63, highestBelowNyquist(period)));
    }
    return points;
}

void addNoise(std::vector<float>& frames, double rms, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, rms);
    for (float& frame : frames)
        frame = static_cast<float>(frame + noise(random));
}

std::vector<PeriodCase> periodCases()
{
    const std::pair<Shape, const char*> shapes[] = {
        {Shape::sine, "sine"}, {Shape::saw, "saw"}, {Shape::square, "square"}, {Shape::eightHarmonics, "eight"}};
    std::vector<PeriodCase> cases;
    for (const auto& [shape, shapeName] : shapes) {
        const bool sharp = shape == Shape::saw || shape == Shape::square;
        for (const std::uint32_t rate : {44100u, 48000u}) {
            // 1960 Hz puts the period half-way between two frames at 44.1 kHz.
            for (const double frequency : {30.0, 261.63, 440.0, 1960.0, 2000.0}) {
                std::ostringstream name;
                name << shapeName << ' ' << frequency << " Hz at " << rate;
                cases.push_back({name.str(), shape, frequency, rate, false, 0.01, sharp && rate == 48000});
                if (rate == 48000 && frequency != 1960.0 && frequency != 261.63)
                    cases.push_back({name.str() + " with noise", shape, frequency, rate, true, 0.1, false});
            }
        }
    }
    return cases;
}

std::vector<float> toneOf(const PeriodCase& row)
{
    const double period = row.rate / row.frequency;
    std::vector<float> frames = tone(row.shape, period, 2 * row.rate, 20000.0);
    if (row.noisy) {
        double power = 0;
        for (int k = 1; k <= highestBelowNyquist(period); ++k)
            power += harmonicLevel(row.shape, k) * harmonicLevel(row.shape, k) / 2.0;
        addNoise(frames, 20000.0 * std::sqrt(power) / 100.0, row.rate + static_cast<unsigned>(row.frequency));
    }
    return frames;
}

} // namespace BandLimitedTones
