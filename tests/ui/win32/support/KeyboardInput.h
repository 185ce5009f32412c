#pragma once

#include <windows.h>

#include <array>

// A key pressed and released as the keyboard does it, modifier (VK_SHIFT,
// VK_CONTROL or 0) held around it: through the system's input queue to the
// foreground thread, into the window with the focus, or, with no window
// focused, to the active window as a system key.
void pressKey(WORD virtualKey, WORD modifier = 0);

// Sets the thread's keyboard state to exactly these keys down (0: none), as
// GetKeyState reads it while a posted key message is handled; releaseKeys
// lets them all up again.
void holdKeys(std::array<BYTE, 2> keys);
void releaseKeys();

// Posts a key's press to target, to be fetched by whichever loop runs next:
// WM_KEYDOWN, or WM_SYSKEYDOWN as F10 and Alt give it; flags carry the
// repeat bit (1 << 30).
void postKeyDown(HWND target, WPARAM virtualKey, UINT message = WM_KEYDOWN, LPARAM flags = 0);
