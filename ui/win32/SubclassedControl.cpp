#include "SubclassedControl.h"

namespace hwd {

namespace {

// The window property that leads from a taken-over control to its object.
constexpr const wchar_t* objectProperty = L"HarlixWaveDump.ControlObject";

} // namespace

SubclassedControl::~SubclassedControl()
{
    detach();
}

bool SubclassedControl::attach(HWND control)
{
    if (control == nullptr || window_ != nullptr)
        return false;
    if (!SetPropW(control, objectProperty, this))
        return false;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::controlProcedure)));
    if (previous == nullptr) {
        RemovePropW(control, objectProperty);
        return false;
    }
    previous_ = previous;
    window_ = control;
    return true;
}

void SubclassedControl::detach() noexcept
{
    if (window_ == nullptr)
        return;
    // Only our own procedure is replaced: someone who subclassed after us keeps theirs.
    if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassedControl::controlProcedure))
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, objectProperty);
    window_ = nullptr;
}

LRESULT CALLBACK SubclassedControl::controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<SubclassedControl*>(GetPropW(window, objectProperty));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = self->previous_;

    if (message == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
        self->detach();
        return result;
    }
    if (const std::optional<LRESULT> result = self->handleMessage(message, wParam, lParam))
        return *result;
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace hwd
