#pragma once

#include "DialogWindow.h"

namespace hwd {

// The About box: icon 128, the program's title and version, authorship and
// contact, and OK. Modal, one object per run.
class AboutDialog final : public DialogWindow {
public:
    AboutDialog() = default;

    // Runs the box owned by owner; answers IDOK or IDCANCEL.
    INT_PTR run(HWND owner);

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace hwd
