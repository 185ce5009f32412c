#pragma once

#include "app/DialogControls.h"

#include <QPoint>

#include <memory>
#include <span>

class QKeyEvent;
class QMenu;

namespace hwd {

// The menu of a picture as Qt shows it: each entry with its shortcut beside
// it, greyed where not offered, Listen checked while listening. Each action
// carries its command id as its data.
namespace PictureMenu {

[[nodiscard]] std::unique_ptr<QMenu> build(std::span<const MenuItem> items);

// The letter that a key press gives with Ctrl and nothing else held, 'A' to
// 'Z'; 0 for any other key.
[[nodiscard]] char controlLetter(const QKeyEvent& key);

// Runs the menu at globalPosition until the user picks or dismisses it; the
// command picked, or 0. The command runs after the menu's own loop has
// ended, so a file dialog or message box it opens is not nested in the menu's.
[[nodiscard]] int popUp(std::span<const MenuItem> items, QPoint globalPosition);

} // namespace PictureMenu

} // namespace hwd
