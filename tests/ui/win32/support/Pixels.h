#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A copy of what a window's client area shows, read back from its device
// context after it has painted.
class Pixels final {
public:
    static Pixels of(HWND window);

    [[nodiscard]] int width() const noexcept { return width_; }
    [[nodiscard]] int height() const noexcept { return height_; }
    // The colour at (x, y) as RGB().
    [[nodiscard]] COLORREF at(int x, int y) const noexcept;
    // How many pixels of the rectangle [left, right) x [top, bottom) have colour.
    [[nodiscard]] int count(COLORREF colour, int left, int top, int right, int bottom) const noexcept;

private:
    static Pixels copy(HDC source, int left, int top, int width, int height);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> bgra_; // top-down rows
};

inline constexpr COLORREF boxBlue = RGB(128, 128, 255);
inline constexpr COLORREF black = RGB(0, 0, 0);
inline constexpr COLORREF markRed = RGB(255, 0, 128);
