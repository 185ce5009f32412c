#pragma once

#include "app/DialogController.h"

#include <windows.h>

#include <optional>

namespace hwd {

// The key press that the dialogs' shared rules take from a key message:
// Enter, Esc, Shift+F10 or the Menu key, Ctrl with a letter, and the arrows
// and Delete, with or without Shift; nothing for any other message. The modifiers are read as they stood when the message
// was queued.
[[nodiscard]] std::optional<KeyPress> keyPressFor(const MSG& message);

// Routes a key message for dialog or one of its controls before the
// platform's dialog keyboard: the keys of the shared rules to controller,
// unless the focused control wants the key for itself (Enter or Esc in an
// open drop-down list); Tab and Shift+Tab on the dialog itself to the first
// and last tab stop, which the dialog keyboard does not find from there.
// Answers whether the message is done with.
[[nodiscard]] bool routeDialogKey(const MSG& message, HWND dialog, DialogController& controller);

} // namespace hwd
