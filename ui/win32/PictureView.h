#pragma once

#include "app/DialogController.h"
#include "app/Drawing.h"

#include <windows.h>

namespace hwd {

struct DialogTemplate;

// A Picture control of a dialog template: an owner-drawn static whose dialog
// is asked to draw it (WM_DRAWITEM) and, with SS_NOTIFY, told of presses on
// it (STN_CLICKED, STN_DBLCLK). Its picture is its controller's Drawing,
// painted as it stands; its presses are points of its client area.
namespace PictureView {

// Paints drawing into area (the control's client area, in the coordinates of
// dc): its fills in order, each cut to that area, then its texts in font,
// each cut to its box; nothing else is painted. The picture reaches the
// screen whole, drawn off screen first.
void paint(HDC dc, const RECT& area, const Drawing& drawing, HFONT font);

// Answers a WM_DRAWITEM for a Picture: the controller's drawing of its client
// area, in its dialog's font.
void draw(const DRAWITEMSTRUCT& item, const DialogController& controller);

// Hands a WM_COMMAND notice from a Picture of dialogTemplate to controller:
// a press as a click with the keys held, the second press of a double click
// as a double click, anything else to nobody. False when controlId is no
// Picture's, so that the notice is the dialog's to route.
bool takeNotice(HWND dialog, const DialogTemplate& dialogTemplate, int controlId, WORD notification,
                DialogController& controller);

[[nodiscard]] Size clientSize(HWND control) noexcept;

// Where the pointer was at the message being handled (the press that the
// control reports), in the control's client area: the pointer may have moved
// on since.
[[nodiscard]] Point pressPoint(HWND control) noexcept;

} // namespace PictureView

} // namespace hwd
