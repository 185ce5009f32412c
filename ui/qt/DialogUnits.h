#pragma once

#include <QFont>
#include <QRect>

// Converts dialog-template coordinates into pixels through the dialog font: a
// horizontal unit is a quarter of the average character width, a vertical unit
// an eighth of the character height, so the windows keep their proportions at
// any font size and scale.
class DialogUnits final {
public:
    explicit DialogUnits(const QFont& font);

    [[nodiscard]] int x(int units) const noexcept;
    [[nodiscard]] int y(int units) const noexcept;
    [[nodiscard]] QRect rect(int x, int y, int width, int height) const noexcept;
    [[nodiscard]] QSize size(int width, int height) const noexcept;

private:
    int baseWidth_;
    int baseHeight_;
};
