#include "WaveViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace hwd {

namespace WaveViewGeometry {

namespace {

constexpr double penSpan = 65535.0;
constexpr double penOffset = 32767.0;
constexpr int stripBefore = 3;
constexpr int stripWidth = 6;

} // namespace

int verticalExtent(bool windowsNT, bool editMode) noexcept
{
    if (!windowsNT)
        return halfScaleExtent;
    return editMode ? fullScaleExtent : marginExtent;
}

int displayedValue(int sample, bool windowsNT) noexcept
{
    return windowsNT ? sample : sample / 2;
}

Point markAnchor(bool windowsNT) noexcept
{
    return {3, windowsNT ? 32767 : 16383};
}

int Mapping::column(int x) const noexcept
{
    return static_cast<int>(std::lround(static_cast<double>(x) * width_ / logicalWidth));
}

int Mapping::row(int y) const noexcept
{
    return centreRow() - static_cast<int>(std::lround(static_cast<double>(y) * height_ / extent_));
}

Rect Mapping::bar(int index, int value) const noexcept
{
    const int top = row(std::max(value, 0));
    const int bottom = row(std::min(value, 0));
    const int left = column(index);
    const int right = column(index + 1);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

std::optional<PenTarget> penTarget(Point point, Size client) noexcept
{
    if (client.width <= 0 || client.height <= 0)
        return std::nullopt;
    const double index = static_cast<double>(point.x) / client.width * logicalWidth;
    const double value = static_cast<double>(client.height - point.y) / client.height * penSpan - penOffset;
    const auto sample = static_cast<std::size_t>(std::clamp(std::trunc(index), 0.0, double{logicalWidth - 1}));
    return PenTarget{sample, static_cast<std::int16_t>(std::clamp(std::trunc(value), -32768.0, 32767.0))};
}

Rect penStrip(int x, Size client) noexcept
{
    const int left = std::clamp(x - stripBefore, 0, std::max(client.width, 0));
    const int right = std::clamp(x - stripBefore + stripWidth, 0, std::max(client.width, 0));
    return {left, 0, right - left, std::max(client.height, 0)};
}

} // namespace WaveViewGeometry

} // namespace hwd
