#pragma once

#include "PictureCommands.h"

#include <QPoint>

#include <memory>

class QKeyEvent;
class QMenu;
class QWidget;

namespace hwd {

// The menu that a right click on either picture opens: Open, Save Wave As and
// Listen in that order, each showing its shortcut, enabled as the window offers
// it, Listen checked while listening. Each action carries its command id as
// its data.
namespace PictureContextMenu {

[[nodiscard]] std::unique_ptr<QMenu> build(const PictureCommands& commands, PictureWindow where);

// The command that a key press gives: Ctrl with the entry's letter and nothing
// else held; 0 for any other key.
[[nodiscard]] int commandForKey(const QKeyEvent& key);

// Opens the menu at globalPosition for picture and, once it has closed, runs
// the command picked from it, unless the picture has gone meanwhile. The
// command runs after the menu's own loop has ended, so a file dialog or message
// box that it opens is not nested in the menu's.
void popUp(PictureCommands& commands, PictureWindow where, const QWidget& picture, QPoint globalPosition);

} // namespace PictureContextMenu

} // namespace hwd
