#pragma once

#include "DialogWindow.h"
#include "PictureFocus.h"
#include "WindowControls.h"

#include <memory>
#include <optional>
#include <vector>

namespace hwd {

class DialogController;

// The bank window, from its template: a Win32 renderer of its controller,
// modeless beside the main dialog, which owns it and stays usable. Its
// picture shows the controller's drawing and takes the focus; presses, double
// clicks and drops on it, its buttons, its close box and its keys reach the
// controller. Its keys come from the program's own loop, which the main
// dialog filters: they go to the controller first, as the main dialog's do,
// then to the platform's dialog keyboard.
class BankDialog final : public DialogWindow, public WindowControls {
public:
    explicit BankDialog(DialogController& controller) noexcept
        : WindowControls(static_cast<const DialogWindow&>(*this)), controller_(controller)
    {
    }

    // Makes the window beside owner, which owns it, has the controller
    // initialise it and shows it active; false when it cannot be made.
    bool open(HWND owner);
    // Brings the open window to the front, active.
    void bringToFront() const;

    // A message of the program's loop: whether it was this window's key or
    // dialog-keyboard message, and so is done with.
    [[nodiscard]] bool filterMessage(MSG& message);

    // Nothing opens over it or beside it but boxes and file dialogs.
    int runModal(int /*templateId*/, DialogController* /*controller*/) override { return 0; }
    void openModeless(int /*templateId*/, DialogController& /*controller*/) override {}
    // Closes the window; the main dialog goes on.
    void endDialog(int /*code*/) override { DestroyWindow(window()); }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT initialise();

    DialogController& controller_;
    std::vector<std::unique_ptr<PictureFocus>> focusablePictures_;
};

} // namespace hwd
