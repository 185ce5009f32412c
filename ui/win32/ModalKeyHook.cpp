#include "ModalKeyHook.h"

#include <utility>

namespace hwd {

namespace {

ModalKeyHook* activeHook = nullptr;

} // namespace

ModalKeyHook::ModalKeyHook(std::function<bool(const MSG&)> take) : take_(std::move(take))
{
    activeHook = this;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, &ModalKeyHook::hookProcedure, nullptr, GetCurrentThreadId());
}

ModalKeyHook::~ModalKeyHook()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    if (activeHook == this)
        activeHook = nullptr;
}

LRESULT CALLBACK ModalKeyHook::hookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    // MSGF_DIALOGBOX: a message of a modal dialog's loop, fetched and not yet
    // handed to the dialog keyboard.
    if (code == MSGF_DIALOGBOX && activeHook != nullptr && activeHook->take_(*reinterpret_cast<const MSG*>(lParam)))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace hwd
