#include "PictureShortcut.h"

#include <utility>

namespace hwd {

namespace {

constexpr LPARAM keyWasDown = LPARAM{1} << 30;

bool keyDown(int virtualKey) noexcept
{
    return GetKeyState(virtualKey) < 0;
}

ModalDialogShortcuts* activeShortcuts = nullptr;

} // namespace

int pictureShortcutCommand(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.lParam & keyWasDown) != 0)
        return 0;
    if (!keyDown(VK_CONTROL) || keyDown(VK_MENU) || keyDown(VK_SHIFT))
        return 0;
    // Letter keys' codes are their capitals; the codes of lower-case letters
    // are other keys (F4 is 's', the keypad's / is 'o').
    if (message.wParam < 'A' || message.wParam > 'Z')
        return 0;
    return pictureCommandForKey(static_cast<char>(message.wParam));
}

bool isForWindow(const MSG& message, HWND window) noexcept
{
    return window != nullptr && (message.hwnd == window || IsChild(window, message.hwnd));
}

ModalDialogShortcuts::ModalDialogShortcuts(HWND dialog, std::function<void(int)> run)
    : dialog_(dialog), run_(std::move(run))
{
    activeShortcuts = this;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, &ModalDialogShortcuts::hookProcedure, nullptr, GetCurrentThreadId());
}

ModalDialogShortcuts::~ModalDialogShortcuts()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    if (activeShortcuts == this)
        activeShortcuts = nullptr;
}

LRESULT CALLBACK ModalDialogShortcuts::hookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    // MSGF_DIALOGBOX: a message of a modal dialog's loop, which the message
    // boxes and file dialogs opened over the dialog run as well; those keep
    // their keys.
    if (code == MSGF_DIALOGBOX && activeShortcuts != nullptr) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        if (isForWindow(message, activeShortcuts->dialog_)) {
            if (const int command = pictureShortcutCommand(message)) {
                activeShortcuts->run_(command);
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace hwd
