#pragma once

#include <windows.h>

#include <optional>

namespace hwd {

// A dialog window bound to one object for the window's whole life. The object
// is bound when WM_INITDIALOG arrives (it travels as the creation parameter and
// is kept in DWLP_USER), before the message reaches the object's table, and is
// unbound at WM_NCDESTROY. Every message the table leaves unhandled gets the
// platform's default dialog processing.
class DialogWindow {
public:
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    // A window that still exists is unbound and destroyed.
    virtual ~DialogWindow();

    [[nodiscard]] HWND window() const noexcept { return window_; }

protected:
    DialogWindow() = default;

    // A modeless dialog from the module's template: its WM_INITDIALOG runs during
    // this call. The window, or null when it could not be made.
    HWND createModeless(int templateId, HWND owner);
    // A modal dialog from the module's template, run in the platform's own loop
    // until EndDialog; answers the value given to EndDialog.
    INT_PTR runModal(int templateId, HWND owner);

    // The message table: a result for the messages it handles, nothing for the
    // rest. For WM_INITDIALOG the result decides the focus, as the platform has it.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

} // namespace hwd
