#pragma once

#include "Geometry.h"

#include <cstdint>
#include <vector>

namespace hwd {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A picture that a controller draws and a front end paints as it stands: filled
// rectangles in pixels of the picture's client area, painted in order over
// each other, so that each front end needs nothing but a rectangle fill.
struct Drawing {
    struct Fill {
        Rect rect;
        Colour colour;
        friend bool operator==(const Fill&, const Fill&) = default;
    };
    std::vector<Fill> fills;

    void fill(Rect rect, Colour colour) { fills.push_back({rect, colour}); }
};

} // namespace hwd
