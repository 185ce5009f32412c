#pragma once

#include "DialogWindow.h"
#include "ModalKeyHook.h"
#include "WaveView.h"
#include "WindowControls.h"

#include "app/WaveTweakerInput.h"

#include <optional>

namespace hwd {

class DialogController;
struct Waveshape;

// The Wave Tweaker's window, from its template: a Win32 renderer of its
// controller. Presses and drags over its large view become pen points; its
// buttons, its keys (taken from its own modal loop, whatever control has the
// focus) and the picture's right click reach the controller.
class WaveTweakerDialog final : public DialogWindow, public WindowControls {
public:
    WaveTweakerDialog(DialogController& controller, Waveshape& wave) noexcept
        : WindowControls(static_cast<const DialogWindow&>(*this)), controller_(controller), view_(wave)
    {
    }

    // Runs the editor modally, owned by owner; answers the code it ended with.
    INT_PTR run(HWND owner);

    [[nodiscard]] const WaveView& view() const noexcept { return view_; }

    // Nothing opens over the Tweaker or beside it but boxes and file dialogs.
    int runModal(int /*templateId*/, DialogController* /*controller*/) override { return 0; }
    void openModeless(int /*templateId*/, DialogController& /*controller*/) override {}
    void endDialog(int code) override { EndDialog(window(), code); }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> pointer(WaveTweakerInput::Pointer kind, bool leftButton, LPARAM position);

    DialogController& controller_;
    WaveView view_;
    std::optional<ModalKeyHook> keys_;
};

} // namespace hwd
