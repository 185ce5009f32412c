#pragma once

#include "app/PictureMenu.h"

#include <windows.h>

#include <optional>

namespace hwd {

// The popup menu of a picture: the entries in their order, each "label\tCtrl+X",
// greyed where the command is not offered, Listen checked while listening.
// The caller destroys it.
[[nodiscard]] HMENU createPictureMenu(PictureWindow where, bool waveLoaded, bool listening);

// Runs the picture's menu at a screen point until the user picks or dismisses
// it; the command picked, or 0.
[[nodiscard]] int trackPictureMenu(HWND owner, POINT screenPoint, PictureWindow where, bool waveLoaded, bool listening);

// Where a WM_CONTEXTMENU to a dialog asks for the menu of its picture view:
// the screen point of a right click over the view (its edge included), nothing
// for a click elsewhere or a request from the keyboard (the view never has the
// focus).
[[nodiscard]] std::optional<POINT> pictureMenuPoint(HWND dialog, HWND view, LPARAM position);

} // namespace hwd
