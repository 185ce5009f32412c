#pragma once

#include <windows.h>

#include <optional>

namespace hwd {

// A control of a dialog template that an object takes over: the object's
// window procedure is installed in its place, the object's table handles the
// messages it wants, and every other message goes on to the control's previous
// procedure, so the control keeps its own behaviour. The previous procedure is
// put back when the control receives its last message (WM_NCDESTROY).
class SubclassedControl {
public:
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    virtual ~SubclassedControl();

    // Installs this object's procedure on control. False, and the object stays
    // detached, when there is no control or the platform refuses.
    bool attach(HWND control);

    [[nodiscard]] HWND window() const noexcept { return window_; }

protected:
    SubclassedControl() = default;

    // The message table: a result for the messages it handles, nothing for the
    // rest, which the previous procedure then gets.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void detach() noexcept;

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
};

} // namespace hwd
