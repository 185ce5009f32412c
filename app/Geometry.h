#pragma once

namespace hwd {

// Plain points, sizes and rectangles for the desktop layer, in whatever unit
// the caller works in (dialog units or pixels). A rectangle covers the columns
// x to x + width - 1 and the rows y to y + height - 1.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] constexpr int right() const noexcept { return x + width; }
    [[nodiscard]] constexpr int bottom() const noexcept { return y + height; }
    [[nodiscard]] constexpr bool contains(Point point) const noexcept
    {
        return point.x >= x && point.x < right() && point.y >= y && point.y < bottom();
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace hwd
