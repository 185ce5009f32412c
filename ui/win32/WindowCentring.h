#pragma once

#include <windows.h>

namespace hwd {

// Places a dialog as it opens: centred over its owner when the owner is visible
// and not minimised, else on the work area of the primary display, and in
// either case kept inside that work area. Only the position changes: no
// resizing, no change of stacking order, no activation.
void centreDialog(HWND dialog);

} // namespace hwd
