#include "WindowCentring.h"

#include "app/WindowPlacement.h"

#include <optional>

namespace hwd {

namespace {

// The room left between a window and the owner it opens beside.
constexpr int besideGap = 8;

Rect toRect(const RECT& rect) noexcept
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

RECT workArea() noexcept
{
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

void centreDialog(HWND dialog)
{
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const RECT area = workArea();

    std::optional<Rect> ownerFrame;
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        RECT ownerRect{};
        GetWindowRect(owner, &ownerRect);
        ownerFrame = toRect(ownerRect);
    }

    const Rect window = toRect(frame);
    const Point topLeft = WindowPlacement::place({window.width, window.height}, ownerFrame, toRect(area));
    SetWindowPos(dialog, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void placeBesideOwner(HWND window)
{
    const HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) {
        centreDialog(window);
        return;
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT ownerFrame{};
    GetWindowRect(owner, &ownerFrame);
    const RECT area = workArea();
    const Size size{frame.right - frame.left, frame.bottom - frame.top};

    int left = ownerFrame.right + besideGap;
    if (left + size.width > area.right && ownerFrame.left - besideGap - size.width >= area.left)
        left = ownerFrame.left - besideGap - size.width;
    const Point topLeft = WindowPlacement::keptInside({left, ownerFrame.top}, size, toRect(area));
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace hwd
