#pragma once

#include <windows.h>

namespace hwd {

// Places a dialog as it opens: centred over its owner when the owner is visible
// and not minimised, else on the work area of the primary display, and in
// either case kept inside that work area. Only the position changes: no
// resizing, no change of stacking order, no activation.
void centreDialog(HWND dialog);

// Places a window that opens beside its owner, the main dialog staying in
// view: to the right of the owner, tops level, or to its left when only
// there it fits whole; kept inside the work area; centred as a dialog when
// the owner is not to be seen. Only the position changes.
void placeBesideOwner(HWND window);

} // namespace hwd
