#pragma once

#include "Geometry.h"

#include <cstdint>
#include <string>
#include <utility>
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
// each other, then the texts over them, so that each front end needs nothing
// but a rectangle fill and a line of text.
struct Drawing {
    struct Fill {
        Rect rect;
        Colour colour;
        friend bool operator==(const Fill&, const Fill&) = default;
    };
    // One line in the dialog's font, left-aligned and centred in height in
    // box; what does not fit ends in an ellipsis.
    struct Text {
        Rect box;
        std::string utf8;
        Colour colour;
        friend bool operator==(const Text&, const Text&) = default;
    };
    std::vector<Fill> fills;
    std::vector<Text> texts;

    void fill(Rect rect, Colour colour) { fills.push_back({rect, colour}); }
    void text(Rect box, std::string utf8, Colour colour) { texts.push_back({box, std::move(utf8), colour}); }
};

} // namespace hwd
