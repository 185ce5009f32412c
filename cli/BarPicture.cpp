#include "BarPicture.h"

#include <cstdlib>

namespace hwd {

namespace {

constexpr int columns = waveshapeSampleCount / 2;
constexpr int halfRows = 8;
constexpr int fullScale = 32768;

// The sample of the pair that lies further from the centre line, so that a
// single spike still shows.
int columnValue(const SampleArray& samples, int column) noexcept
{
    const int first = samples[static_cast<std::size_t>(2 * column)];
    const int second = samples[static_cast<std::size_t>(2 * column + 1)];
    return std::abs(second) > std::abs(first) ? second : first;
}

// Rows of bar, 0 to 8, rounded to nearest.
int barHeight(int value) noexcept
{
    return (std::abs(value) * halfRows + fullScale / 2) / fullScale;
}

std::string frameLine(const char* label)
{
    return "+" + std::string(columns, '-') + "+ " + label + "\n";
}

} // namespace

std::string drawBarPicture(const SampleArray& samples)
{
    int heights[columns];
    bool positive[columns];
    for (int column = 0; column < columns; ++column) {
        const int value = columnValue(samples, column);
        heights[column] = barHeight(value);
        positive[column] = value > 0;
    }

    std::string picture = frameLine("32767");
    for (int row = 0; row < halfRows; ++row) {
        picture += '|';
        for (int column = 0; column < columns; ++column)
            picture += positive[column] && heights[column] >= halfRows - row ? '#' : ' ';
        picture += "|\n";
    }
    picture += "|" + std::string(columns, '-') + "| 0\n";
    for (int row = 0; row < halfRows; ++row) {
        picture += '|';
        for (int column = 0; column < columns; ++column)
            picture += !positive[column] && heights[column] >= row + 1 ? '#' : ' ';
        picture += "|\n";
    }
    return picture + frameLine("-32768");
}

} // namespace hwd
