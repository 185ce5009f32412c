#pragma once

#include "app/PictureMenu.h"

#include <windows.h>

#include <functional>

namespace hwd {

// The command of a picture shortcut (Ctrl+O, Ctrl+S, Ctrl+L) that this
// message presses, or 0. Only the first press counts, not the keyboard's
// repeat while the key is held (a held Ctrl+L would toggle Listen on and off),
// and only with Ctrl alone: Alt with Ctrl is AltGr, which types characters.
[[nodiscard]] int pictureShortcutCommand(const MSG& message);

// Whether message is for window or one of its controls.
[[nodiscard]] bool isForWindow(const MSG& message, HWND window) noexcept;

// The shortcuts of a modal dialog, which runs the platform's own message loop:
// a message filter hook takes them from the loop before the dialog's keyboard
// handling, whatever control has the focus, for as long as this object lives.
// One per thread at a time (the modal dialogs do not nest here).
class ModalDialogShortcuts final {
public:
    // run gets each shortcut's command for a message to dialog or its controls.
    ModalDialogShortcuts(HWND dialog, std::function<void(int commandId)> run);
    ~ModalDialogShortcuts();
    ModalDialogShortcuts(const ModalDialogShortcuts&) = delete;
    ModalDialogShortcuts& operator=(const ModalDialogShortcuts&) = delete;

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HWND dialog_;
    std::function<void(int)> run_;
    HHOOK hook_ = nullptr;
};

} // namespace hwd
