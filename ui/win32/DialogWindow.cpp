#include "DialogWindow.h"

#include "Module.h"

namespace hwd {

namespace {

// Messages whose dialog-procedure result is the answer itself rather than a
// handled flag with the answer in DWLP_MSGRESULT.
bool answersDirectly(UINT message) noexcept
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

} // namespace

DialogWindow::~DialogWindow()
{
    if (window_ != nullptr) {
        const HWND window = window_;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        window_ = nullptr;
        DestroyWindow(window);
    }
}

HWND DialogWindow::createModeless(int templateId, HWND owner)
{
    return CreateDialogParamW(Module::instance(), MAKEINTRESOURCEW(templateId), owner, &DialogWindow::dialogProcedure,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogWindow::runModal(int templateId, HWND owner)
{
    return DialogBoxParamW(Module::instance(), MAKEINTRESOURCEW(templateId), owner, &DialogWindow::dialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
    if (self == nullptr)
        return FALSE;

    const std::optional<LRESULT> result = self->handleMessage(message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    if (!result)
        return FALSE;
    if (answersDirectly(message))
        return static_cast<INT_PTR>(*result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, *result);
    return TRUE;
}

} // namespace hwd
