#pragma once

#include "app/DialogControls.h"

#include <windows.h>

#include <optional>
#include <span>

namespace hwd {

// The menu of a picture as the platform shows it: each entry "label<Tab>Ctrl+X",
// greyed where not offered, Listen checked while listening.
namespace PictureMenu {

// The popup menu of items; the caller destroys it.
[[nodiscard]] HMENU build(std::span<const MenuItem> items);

// Runs the menu of items, owned by owner, at a point of the screen until the
// user picks or dismisses it; the command picked, or 0. The pick is the
// answer to the controller that asked, not a WM_COMMAND to the owner.
[[nodiscard]] int popUp(HWND owner, std::span<const MenuItem> items, POINT screenPoint);

// Where a WM_CONTEXTMENU to dialog asks for the menu of its picture view: the
// screen point of a right click over the view, its edge included; nothing for
// a click elsewhere, and nothing for the keyboard's request (position -1),
// whose key the dialog's key routing has taken already.
[[nodiscard]] std::optional<Point> requestedAt(HWND dialog, HWND view, LPARAM position);

} // namespace PictureMenu

} // namespace hwd
