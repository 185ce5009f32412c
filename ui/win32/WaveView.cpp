#include "WaveView.h"

#include "app/ResourceIds.h"
#include "app/WaveViewGeometry.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <algorithm>

namespace hwd {

namespace {

constexpr COLORREF boxColour = RGB(128, 128, 255);
constexpr COLORREF markColour = RGB(255, 0, 128);

Size clientSize(HWND window) noexcept
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

} // namespace

bool WaveView::takeOver(HWND dialog)
{
    const bool attached = attach(GetDlgItem(dialog, IDC_WAVE_VIEW));
    editMode_ = false;
    return attached;
}

std::optional<LRESULT> WaveView::handleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        // Every paint covers the whole client area: erasing would only flicker.
        return 1;
    case WM_WAVEVIEW_PEN:
        takePenPoint(*reinterpret_cast<const POINT*>(wParam));
        return 0;
    default:
        return std::nullopt;
    }
}

void WaveView::paint()
{
    PAINTSTRUCT paintStruct{};
    const HDC dc = BeginPaint(window(), &paintStruct);
    const Size client = clientSize(window());

    const HBRUSH boxBrush = CreateSolidBrush(boxColour);
    const HGDIOBJ previousBrush = SelectObject(dc, boxBrush);
    const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, client.width, client.height);

    if (wave_.loaded) {
        const bool windowsNT = isWindowsNT();
        const int extent = WaveViewGeometry::verticalExtent(windowsNT, editMode_);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, WaveViewGeometry::logicalWidth, -extent, nullptr);
        SetViewportExtEx(dc, client.width, client.height, nullptr);
        SetViewportOrgEx(dc, 0, client.height / 2, nullptr);

        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        for (int index = 0; index < WaveViewGeometry::logicalWidth; ++index) {
            const int value = WaveViewGeometry::displayedValue(wave_.samples[static_cast<std::size_t>(index)], windowsNT);
            Rectangle(dc, index, std::max(value, 0), index + 1, std::min(value, 0));
        }
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, WaveViewGeometry::logicalWidth, 0);

        if (wave_.resampled) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, markColour);
            const Point anchor = WaveViewGeometry::markAnchor(windowsNT);
            TextOutW(dc, anchor.x, anchor.y, L"*", 1);
        }
    }

    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(boxBrush);
    EndPaint(window(), &paintStruct);
}

void WaveView::takePenPoint(const POINT& point)
{
    if (!editMode_)
        return;
    const Size client = clientSize(window());
    const std::optional<WaveViewGeometry::PenTarget> target = WaveViewGeometry::penTarget({point.x, point.y}, client);
    if (!target)
        return;
    wave_.samples[target->index] = target->value;

    // Only the strip around the point: dragging repaints six columns at a time.
    const Rect strip = WaveViewGeometry::penStrip(point.x, client);
    const RECT invalid{strip.x, strip.y, strip.right(), strip.bottom()};
    InvalidateRect(window(), &invalid, FALSE);
}

} // namespace hwd
