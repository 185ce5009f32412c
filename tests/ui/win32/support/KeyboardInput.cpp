#include "KeyboardInput.h"

#include <vector>

void pressKey(WORD virtualKey, WORD modifier)
{
    std::vector<INPUT> input;
    const auto add = [&input](WORD key, DWORD flags) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = key;
        event.ki.dwFlags = flags;
        input.push_back(event);
    };
    if (modifier != 0)
        add(modifier, 0);
    add(virtualKey, 0);
    add(virtualKey, KEYEVENTF_KEYUP);
    if (modifier != 0)
        add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void holdKeys(std::array<BYTE, 2> keys)
{
    std::array<BYTE, 256> state{};
    for (const BYTE key : keys) {
        if (key != 0)
            state[key] = 0x80;
    }
    SetKeyboardState(state.data());
}

void releaseKeys()
{
    holdKeys({});
}

void postKeyDown(HWND target, WPARAM virtualKey, UINT message, LPARAM flags)
{
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, message, virtualKey, 1 | scanCode | flags);
}
