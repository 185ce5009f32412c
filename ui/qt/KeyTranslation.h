#pragma once

#include "app/DialogController.h"

#include <optional>

class QEvent;

namespace hwd {

// The key press that the dialogs' shared rules take from a Qt event: Enter,
// Esc, Shift+F10 or the Menu key, and Ctrl with a letter; nothing for any
// other event.
[[nodiscard]] std::optional<KeyPress> keyPressFor(const QEvent& event);

} // namespace hwd
