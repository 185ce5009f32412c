#include "DialogUnits.h"

namespace hwd {

namespace {

int scale(int units, int base, int divisor) noexcept
{
    const long long product = static_cast<long long>(units) * base;
    return static_cast<int>((product + (product >= 0 ? divisor / 2 : -divisor / 2)) / divisor);
}

} // namespace

int DialogUnits::baseWidthFromAlphabet(int alphabetWidth) noexcept
{
    return (alphabetWidth / 26 + 1) / 2;
}

int DialogUnits::x(int units) const noexcept
{
    return scale(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const noexcept
{
    return scale(units, baseHeight_, 8);
}

Rect DialogUnits::rect(const Rect& units) const noexcept
{
    return {x(units.x), y(units.y), x(units.width), y(units.height)};
}

Size DialogUnits::size(Size units) const noexcept
{
    return {x(units.width), y(units.height)};
}

} // namespace hwd
