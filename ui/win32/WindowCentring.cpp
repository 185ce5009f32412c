#include "WindowCentring.h"

#include "app/WindowPlacement.h"

#include <optional>

namespace hwd {

namespace {

Rect toRect(const RECT& rect) noexcept
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

void centreDialog(HWND dialog)
{
    RECT frame{};
    GetWindowRect(dialog, &frame);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);

    std::optional<Rect> ownerFrame;
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        RECT ownerRect{};
        GetWindowRect(owner, &ownerRect);
        ownerFrame = toRect(ownerRect);
    }

    const Rect window = toRect(frame);
    const Point topLeft = WindowPlacement::place({window.width, window.height}, ownerFrame, toRect(workArea));
    SetWindowPos(dialog, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace hwd
