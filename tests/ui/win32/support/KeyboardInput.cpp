#include "KeyboardInput.h"

namespace {
std::vector<KeyboardMessageLog::Entry>* activeEntries = nullptr;
HWND closingDialog = nullptr;
} // namespace

void pressKey(WORD virtualKey)
{
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = virtualKey;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = virtualKey;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void pressCtrlKey(WORD virtualKey)
{
    INPUT input[4]{};
    for (INPUT& event : input)
        event.type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_CONTROL;
    input[1].ki.wVk = virtualKey;
    input[2].ki.wVk = virtualKey;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_CONTROL;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
}

void postOkWhenInputTaken(HWND dialog)
{
    closingDialog = dialog;
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostMessageW(closingDialog, WM_COMMAND, IDOK, 0);
    });
}

void postKey(UINT virtualKey, HWND fallback)
{
    HWND target = GetFocus();
    if (target == nullptr)
        target = fallback;
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scanCode);
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | scanCode | (LPARAM{3} << 30));
}

KeyboardMessageLog::KeyboardMessageLog()
{
    activeEntries = &entries_;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &KeyboardMessageLog::hookProcedure, nullptr, GetCurrentThreadId());
}

KeyboardMessageLog::~KeyboardMessageLog()
{
    UnhookWindowsHookEx(hook_);
    activeEntries = nullptr;
}

LRESULT CALLBACK KeyboardMessageLog::hookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && activeEntries != nullptr) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST)
            activeEntries->push_back({message->message, message->wParam, message->hwnd});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
