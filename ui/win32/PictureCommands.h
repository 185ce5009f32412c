#pragma once

#include <windows.h>

namespace hwd {

// Open, Save Wave As and Listen as the main dialog carries them out, for every
// window whose picture menu or shortcuts reach them (the main dialog itself
// and the Wave Tweaker). There is one preview for the program, so Listen is
// the same toggle from either window.
class PictureCommands {
public:
    // Runs ID_FILE_OPEN, ID_FILE_SAVE_AS or ID_LISTEN; from is the window the
    // command came from, which owns the dialogs and boxes it opens.
    virtual void runPictureCommand(int commandId, HWND from) = 0;
    [[nodiscard]] virtual bool listening() const noexcept = 0;

protected:
    ~PictureCommands() = default;
};

} // namespace hwd
