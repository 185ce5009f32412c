#pragma once

#include <windows.h>

#include <string_view>

namespace hwd {

// The tooltips of a dialog's controls, in one tooltip window that the dialog
// owns: made with the first tooltip, gone with the dialog. Each tooltip
// watches its control's own mouse messages, so a static needs SS_NOTIFY to
// have one.
class ToolTips final {
public:
    // Gives control, a child of dialog, the tooltip text (UTF-8, "\n" between
    // lines) in place of the one it had; empty text leaves it none.
    void set(HWND dialog, HWND control, std::string_view utf8);

    [[nodiscard]] HWND window() const noexcept { return window_; }

private:
    HWND window_ = nullptr;
};

} // namespace hwd
