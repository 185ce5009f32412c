#pragma once

#include "app/Drawing.h"

#include <windows.h>

namespace hwd {

// A Picture control of a dialog template: an owner-drawn static whose dialog
// is asked to draw it (WM_DRAWITEM) and, with SS_NOTIFY, told of presses on
// it (STN_CLICKED). Its picture is its controller's Drawing, painted as it
// stands; its presses are points of its client area.
namespace PictureView {

// Paints drawing's fills in order into area (the control's client area, in
// the coordinates of dc), each cut to that area; nothing else is painted.
// The picture reaches the screen whole, drawn off screen first.
void paint(HDC dc, const RECT& area, const Drawing& drawing);

[[nodiscard]] Size clientSize(HWND control) noexcept;

// Where the pointer was at the message being handled (the press that the
// control reports), in the control's client area: the pointer may have moved
// on since.
[[nodiscard]] Point pressPoint(HWND control) noexcept;

} // namespace PictureView

} // namespace hwd
