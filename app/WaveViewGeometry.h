#pragma once

#include "Geometry.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace hwd {

// The arithmetic of the wave picture, shared by both front ends: the logical
// picture is 128 units wide and E units high with 0 on the middle row and
// positive values up; the pen maps a point of the client area back to one
// sample and its value.
namespace WaveViewGeometry {

inline constexpr int logicalWidth = 128;
inline constexpr int fullScaleExtent = 65535;  // the editor, drawing full scale
inline constexpr int marginExtent = 68535;     // the main picture, with a margin above and below
inline constexpr int halfScaleExtent = 32767;  // a system outside the NT family, values halved

// The vertical extent E of the picture.
[[nodiscard]] int verticalExtent(bool windowsNT, bool editMode) noexcept;

// The value a sample is drawn at: halved, truncated toward zero, outside the NT family.
[[nodiscard]] int displayedValue(int sample, bool windowsNT) noexcept;

// The resampling mark's top-left corner, in logical units.
[[nodiscard]] Point markAnchor(bool windowsNT) noexcept;

// Logical units to pixels of a client area of width x height.
class Mapping final {
public:
    Mapping(int width, int height, int extent) noexcept : width_(width), height_(height), extent_(extent) {}

    // Pixel column of logical x: x * W / 128, rounded.
    [[nodiscard]] int column(int x) const noexcept;
    // The middle row: H / 2, truncated.
    [[nodiscard]] int centreRow() const noexcept { return height_ / 2; }
    // Pixel row of logical y: H / 2 - y * H / E, rounded.
    [[nodiscard]] int row(int y) const noexcept;
    // The bar of sample index drawn at value: from the centre line up to a
    // positive value or down to a negative one, one sample wide. Empty for 0.
    [[nodiscard]] Rect bar(int index, int value) const noexcept;

private:
    int width_;
    int height_;
    int extent_;
};

struct PenTarget {
    std::size_t index;
    std::int16_t value;
    friend bool operator==(const PenTarget&, const PenTarget&) = default;
};

// The sample a pen point at (x, y) of a client area sets, and its value:
// index (x / W) * 128 and value ((H - y) / H) * 65535 - 32767, in double
// precision in that order, truncated toward zero. Points on the sunken edge go
// to the nearest sample and values above the top to 32767, so nothing lands
// outside the samples or wraps. Nothing for an empty client area.
[[nodiscard]] std::optional<PenTarget> penTarget(Point point, Size client) noexcept;

// The strip a pen point at column x repaints: columns x - 3 to x + 2, the full
// height, clipped to the client area.
[[nodiscard]] Rect penStrip(int x, Size client) noexcept;

} // namespace WaveViewGeometry

} // namespace hwd
