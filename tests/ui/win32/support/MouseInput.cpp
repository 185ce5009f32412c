#include "MouseInput.h"

namespace {

void clickAt(HWND window, POINT client, DWORD down, DWORD up)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace

void rightClickAt(HWND window, POINT client)
{
    clickAt(window, client, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void leftClickAt(HWND window, POINT client)
{
    clickAt(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}
