#include "CyclePictures.h"

#include "WaveBars.h"
#include "WaveViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace hwd {

namespace CyclePictures {

namespace {

// Enough columns for any picture of the window, few enough to sum up fast.
constexpr std::uint64_t overviewBlocks = 4096;

// The row of a value in the wave's units, on the main picture's scale.
int rowOf(double value, int height)
{
    const double extent = WaveViewGeometry::marginExtent;
    return height / 2 - static_cast<int>(std::lround(value * height / extent));
}

// The column-wide rectangle from one row to another, both included.
Rect columnBetween(int x, int rowA, int rowB)
{
    const int top = std::min(rowA, rowB);
    const int bottom = std::max(rowA, rowB);
    return {x, top, 1, bottom - top + 1};
}

// The recording at a fractional frame, straight between its neighbours.
double frameValue(std::span<const float> frames, double at)
{
    const auto before = static_cast<std::size_t>(std::floor(at));
    if (before + 1 >= frames.size())
        return frames.empty() ? 0.0 : frames.back();
    const double part = at - static_cast<double>(before);
    return frames[before] + (frames[before + 1] - frames[before]) * part;
}

} // namespace

Overview::Overview(std::span<const float> frames)
    : frameCount_(frames.size()), framesPerBlock_(std::max<std::uint64_t>(1, (frames.size() + overviewBlocks - 1) / overviewBlocks))
{
    for (std::uint64_t first = 0; first < frameCount_; first += framesPerBlock_) {
        const std::uint64_t last = std::min(frameCount_, first + framesPerBlock_);
        const auto [lowest, highest] = std::minmax_element(frames.begin() + static_cast<std::ptrdiff_t>(first),
                                                           frames.begin() + static_cast<std::ptrdiff_t>(last));
        blocks_.push_back({*lowest, *highest});
    }
}

std::uint64_t Overview::frameAt(int x, Size client) const noexcept
{
    if (client.width <= 0 || frameCount_ == 0)
        return 0;
    const double share = std::clamp(static_cast<double>(x) / client.width, 0.0, 1.0);
    return std::min(frameCount_ - 1, static_cast<std::uint64_t>(share * static_cast<double>(frameCount_)));
}

Drawing Overview::draw(Size client, const Cycle& cycle) const
{
    Drawing drawing;
    if (client.width <= 0 || client.height <= 0)
        return drawing;
    drawing.fill({0, 0, client.width, client.height}, white);
    if (blocks_.empty())
        return drawing;
    const auto blockCount = static_cast<double>(blocks_.size());
    for (int x = 0; x < client.width; ++x) {
        const auto first = static_cast<std::size_t>(x * blockCount / client.width);
        const auto end = std::max(first + 1, static_cast<std::size_t>((x + 1) * blockCount / client.width));
        float lowest = blocks_[first].lowest;
        float highest = blocks_[first].highest;
        for (std::size_t block = first + 1; block < std::min(end, blocks_.size()); ++block) {
            lowest = std::min(lowest, blocks_[block].lowest);
            highest = std::max(highest, blocks_[block].highest);
        }
        drawing.fill(columnBetween(x, rowOf(highest, client.height), rowOf(lowest, client.height)), envelopeColour);
    }
    const auto columnOf = [&](double frame) {
        return static_cast<int>(std::floor(frame / static_cast<double>(frameCount_) * client.width));
    };
    const int left = std::clamp(columnOf(static_cast<double>(cycle.start)), 0, client.width - 1);
    const int right = std::clamp(columnOf(static_cast<double>(cycle.start) + cycle.length), left + 1, client.width);
    drawing.fill({left, 0, right - left, client.height}, markColour);
    return drawing;
}

Drawing drawCycle(std::span<const float> frames, const Cycle& cycle, const SampleArray& wave, Size client)
{
    Drawing drawing;
    const int width = client.width;
    const int height = client.height;
    if (width <= 0 || height <= 0)
        return drawing;
    drawWaveBars(drawing, {0, 0, width, height}, wave);

    // The recording over the bars, joined from column to column.
    if (!frames.empty() && cycle.length > 0) {
        int previousRow = rowOf(frameValue(frames, static_cast<double>(cycle.start)), height);
        for (int x = 0; x < width; ++x) {
            const double at = static_cast<double>(cycle.start) + (x + 1) * cycle.length / width;
            const int row = std::clamp(rowOf(frameValue(frames, at), height), 0, height - 1);
            drawing.fill(columnBetween(x, previousRow, row), white);
            previousRow = row;
        }
    }
    return drawing;
}

} // namespace CyclePictures

} // namespace hwd
