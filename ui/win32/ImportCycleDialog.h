#pragma once

#include "DialogWindow.h"
#include "ModalKeyHook.h"
#include "WindowControls.h"

#include <optional>

namespace hwd {

class DialogController;

// The Import Cycle window, from its template: a Win32 renderer of its
// controller. Its two pictures show the controller's drawings; a press or a
// double click on the recording's overview, the user's typing in Start and
// Length, its buttons, its keys (taken from its own modal loop, whatever
// control has the focus) and a right click on the cycle's picture reach the
// controller.
class ImportCycleDialog final : public DialogWindow, public WindowControls {
public:
    explicit ImportCycleDialog(DialogController& controller) noexcept
        : WindowControls(static_cast<const DialogWindow&>(*this)), controller_(controller)
    {
    }

    // Runs the window modally, owned by owner; answers the code it ended with.
    INT_PTR run(HWND owner);

    // Nothing opens over it or beside it but boxes.
    int runModal(int /*templateId*/, DialogController* /*controller*/) override { return 0; }
    void openModeless(int /*templateId*/, DialogController& /*controller*/) override {}
    void endDialog(int code) override { EndDialog(window(), code); }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void takeCommand(int controlId, WORD notification);

    DialogController& controller_;
    std::optional<ModalKeyHook> keys_;
};

} // namespace hwd
