#pragma once

#include <windows.h>

#include <vector>

// A key pressed and released as the keyboard does it: through the system's
// input queue to the foreground thread, into the window with the focus, or,
// with no window focused, to the active window as a system key.
void pressKey(WORD virtualKey);

// Ctrl held down while a key is pressed and released, as pressKey does it.
void pressCtrlKey(WORD virtualKey);

// Posts OK to a modal dialog once the input already sent has been taken by
// the dialog's loop (a timer comes only after every input message).
void postOkWhenInputTaken(HWND dialog);

// Posts a key press and release to the focused window (or to fallback when
// no window has the focus), to be fetched by whichever loop runs next.
void postKey(UINT virtualKey, HWND fallback);

// Records every keyboard message this thread fetches while it lives.
class KeyboardMessageLog final {
public:
    struct Entry {
        UINT message;
        WPARAM key;
        HWND window;
    };

    KeyboardMessageLog();
    ~KeyboardMessageLog();
    KeyboardMessageLog(const KeyboardMessageLog&) = delete;
    KeyboardMessageLog& operator=(const KeyboardMessageLog&) = delete;

    [[nodiscard]] const std::vector<Entry>& entries() const noexcept { return entries_; }

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_ = nullptr;
    std::vector<Entry> entries_;
};
