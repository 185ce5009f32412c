#include "KeyTranslation.h"

namespace hwd {

namespace {

constexpr LPARAM keyWasDown = LPARAM{1} << 30;

bool held(int virtualKey) noexcept
{
    return GetKeyState(virtualKey) < 0;
}

} // namespace

std::optional<KeyPress> keyPressFor(const MSG& message)
{
    const WPARAM key = message.wParam;
    // F10 is a system key, so Shift+F10 comes as WM_SYSKEYDOWN.
    if (message.message != WM_KEYDOWN && !(message.message == WM_SYSKEYDOWN && key == VK_F10))
        return std::nullopt;
    const bool control = held(VK_CONTROL);
    const bool shift = held(VK_SHIFT);
    // Alt with Ctrl is AltGr, which types characters.
    if (held(VK_MENU))
        return std::nullopt;
    // Letter keys' codes are their capitals; the codes of lower-case letters
    // are other keys (F4 is 's', the keypad's / is 'o').
    if (control && !shift && key >= 'A' && key <= 'Z')
        return KeyPress{KeyPress::Key::Control, static_cast<char>(key), (message.lParam & keyWasDown) != 0};
    if (control)
        return std::nullopt;
    switch (key) {
    case VK_RETURN:
        return KeyPress{KeyPress::Key::Enter};
    case VK_ESCAPE:
        return KeyPress{KeyPress::Key::Escape};
    case VK_APPS:
        return KeyPress{KeyPress::Key::ContextMenu};
    case VK_F10:
        if (shift)
            return KeyPress{KeyPress::Key::ContextMenu};
        return std::nullopt;
    case VK_LEFT:
        return KeyPress{KeyPress::Key::Left, 0, false, shift};
    case VK_RIGHT:
        return KeyPress{KeyPress::Key::Right, 0, false, shift};
    case VK_UP:
        return KeyPress{KeyPress::Key::Up, 0, false, shift};
    case VK_DOWN:
        return KeyPress{KeyPress::Key::Down, 0, false, shift};
    case VK_DELETE:
        return KeyPress{KeyPress::Key::Delete, 0, false, shift};
    default:
        return std::nullopt;
    }
}

bool routeDialogKey(const MSG& message, HWND dialog, DialogController& controller)
{
    if (dialog == nullptr || (message.hwnd != dialog && !IsChild(dialog, message.hwnd)))
        return false;
    if (message.hwnd == dialog && message.message == WM_KEYDOWN && message.wParam == VK_TAB && !held(VK_CONTROL)
        && !held(VK_MENU)) {
        // Backwards from the first stop wraps round to the last.
        HWND stop = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (stop != nullptr && held(VK_SHIFT))
            stop = GetNextDlgTabItem(dialog, stop, TRUE);
        if (stop != nullptr)
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop), TRUE);
        return true;
    }
    const std::optional<KeyPress> key = keyPressFor(message);
    if (!key)
        return false;
    const LRESULT wanted =
        SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    if ((wanted & DLGC_WANTMESSAGE) != 0)
        return false;
    return controller.keyPressed(*key);
}

} // namespace hwd
