#pragma once

#include <windows.h>

namespace hwd {

// The tooltip of a dialog's picture, which tells what a double click and a
// right click on it do. The tooltip window is owned by the dialog and goes
// with it; it watches the picture's mouse messages itself (the picture is a
// static with SS_NOTIFY, so it gets them).
class WaveViewToolTip final {
public:
    // Adds the tooltip to view, a control of dialog; false when the system
    // could not make it (the picture then simply has none).
    bool attach(HWND dialog, HWND view);

    [[nodiscard]] HWND window() const noexcept { return toolTip_; }

private:
    HWND toolTip_ = nullptr;
};

} // namespace hwd
