#pragma once

#include "Geometry.h"

namespace hwd {

// Dialog-template coordinates to pixels through the dialog font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its character height, each product rounded to the nearest pixel
// (halves away from zero), as the platform's dialog manager computes it.
class DialogUnits final {
public:
    DialogUnits(int baseWidth, int baseHeight) noexcept : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    // The average character width from the width of the 52 letters A-Z and a-z
    // in the dialog font, rounded as the platform rounds it.
    [[nodiscard]] static int baseWidthFromAlphabet(int alphabetWidth) noexcept;

    [[nodiscard]] int x(int units) const noexcept;
    [[nodiscard]] int y(int units) const noexcept;
    [[nodiscard]] Rect rect(const Rect& units) const noexcept;
    [[nodiscard]] Size size(Size units) const noexcept;

    [[nodiscard]] int baseWidth() const noexcept { return baseWidth_; }
    [[nodiscard]] int baseHeight() const noexcept { return baseHeight_; }

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace hwd
