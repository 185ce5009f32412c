#include "WindowPlacement.h"

namespace hwd {

namespace WindowPlacement {

Point centredOn(const Rect& area, Size size) noexcept
{
    // The area's midpoint less half the window's size, each truncated on its
    // own, so that every dialog lands on the same pixel for the same owner.
    return {(area.x + area.right()) / 2 - size.width / 2, (area.y + area.bottom()) / 2 - size.height / 2};
}

Point keptInside(Point topLeft, Size size, const Rect& area) noexcept
{
    int x = topLeft.x;
    int y = topLeft.y;
    if (x + size.width > area.right())
        x = area.right() - size.width;
    if (y + size.height > area.bottom())
        y = area.bottom() - size.height;
    if (x < area.x)
        x = area.x;
    if (y < area.y)
        y = area.y;
    return {x, y};
}

Point place(Size window, const std::optional<Rect>& ownerFrame, const Rect& workArea) noexcept
{
    return keptInside(centredOn(ownerFrame.value_or(workArea), window), window, workArea);
}

} // namespace WindowPlacement

} // namespace hwd
