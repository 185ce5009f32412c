#pragma once

#include "DialogController.h"
#include "PictureCommands.h"

namespace hwd {

struct DialogTemplate;

// The keys that both dialogs take before the platform's dialog keyboard, in
// both programs: Enter presses the push button that has the focus, however it
// got there, or else gives OK; Esc gives Cancel; Ctrl with a picture
// command's letter runs that command, once however long the key is held;
// Shift+F10 and the Menu key open the picture's menu at the picture. Answers
// whether the key was taken.
[[nodiscard]] bool takeDialogKey(const KeyPress& key, const DialogTemplate& dialog, PictureWindow where,
                                 const DialogControls& window, DialogController& controller);

} // namespace hwd
