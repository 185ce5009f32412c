#pragma once

#include <windows.h>

#include <initializer_list>

// A click as the mouse makes it: the pointer moved to a point of window's
// client area and the button pressed and released there, through the
// system's input queue, so that the system decides which window gets it.
// held: keys (VK_SHIFT, VK_CONTROL) pressed before the click and released
// after it, as the user holds them.
void rightClickAt(HWND window, POINT client);
void leftClickAt(HWND window, POINT client, std::initializer_list<WORD> held = {});
// Two left clicks at once: a double click.
void doubleClickAt(HWND window, POINT client);
