#pragma once

#include <windows.h>
#include <shellapi.h>

namespace hwd {

class DialogController;
struct DialogTemplate;

// A dialog's side of the shell's file drop (WM_DROPFILES): every file of the
// drop, whole and in the order the shell gives them, and where it landed, to
// the dialog's controller as one filesDropped. A dialog that is disabled is
// the owner of a modal window (a box, a file dialog, the Wave Tweaker) and
// takes no drop: a load now would change what that window works on, and its
// warning box would enable the dialog again while that window still runs.
// The drop is released either way.
void routeFileDrop(HDROP drop, HWND dialog, const DialogTemplate& dialogTemplate, DialogController& controller);

} // namespace hwd
