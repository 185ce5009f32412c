#pragma once

#include "app/PictureMenu.h"

namespace hwd {

// Open, Save Wave As and Listen, as the pictures' menus and the shortcuts reach
// them. The main dialog runs all three; the Wave Tweaker reaches the same ones
// through this, so that both windows share one preview and one file chooser.
class PictureCommands {
public:
    virtual ~PictureCommands() = default;
    // Whether the picture in where offers the command now.
    [[nodiscard]] virtual bool pictureCommandEnabled(int commandId, PictureWindow where) const = 0;
    // Whether the command shows checked: Listen while listening.
    [[nodiscard]] virtual bool pictureCommandChecked(int commandId) const = 0;
    // Runs the command when where offers it; nothing otherwise.
    virtual void runPictureCommand(int commandId, PictureWindow where) = 0;
};

} // namespace hwd
