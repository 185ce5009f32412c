#include "MouseInput.h"

#include <vector>

namespace {

void clickAt(HWND window, POINT client, DWORD down, DWORD up, int clicks = 1, std::initializer_list<WORD> held = {})
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> input;
    const auto add = [&input](DWORD type, WORD key, DWORD flags) {
        INPUT event{};
        event.type = type;
        if (type == INPUT_KEYBOARD)
            event.ki = {key, 0, flags, 0, 0};
        else
            event.mi.dwFlags = flags;
        input.push_back(event);
    };
    for (const WORD modifier : held)
        add(INPUT_KEYBOARD, modifier, 0);
    for (int click = 0; click < clicks; ++click) {
        add(INPUT_MOUSE, 0, down);
        add(INPUT_MOUSE, 0, up);
    }
    for (const WORD modifier : held)
        add(INPUT_KEYBOARD, modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

} // namespace

void rightClickAt(HWND window, POINT client)
{
    clickAt(window, client, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void leftClickAt(HWND window, POINT client, std::initializer_list<WORD> held)
{
    clickAt(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1, held);
}

void doubleClickAt(HWND window, POINT client)
{
    clickAt(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}
