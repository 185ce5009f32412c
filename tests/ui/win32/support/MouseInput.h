#pragma once

#include <windows.h>

// A click as the mouse makes it: the pointer moved to a point of window's
// client area and the button pressed and released there, through the
// system's input queue, so that the system decides which window gets it.
void rightClickAt(HWND window, POINT client);
void leftClickAt(HWND window, POINT client);
