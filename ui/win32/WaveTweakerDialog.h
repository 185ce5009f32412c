#pragma once

#include "DialogWindow.h"
#include "PictureShortcut.h"
#include "WaveView.h"

#include "app/WaveTweakerInput.h"

#include <cstdint>
#include <optional>

namespace hwd {

class PictureCommands;

// The Wave Tweaker: the modal editor of the current wave. Presses and drags
// over its large view become pen points, and its six buttons run the wave
// operations, each followed by a repaint of the view. Every change goes straight
// into the wave, so OK and Escape both keep the edits. A right click on the
// view opens the picture menu, and its shortcuts work from every control; both
// reach the main dialog's commands (Save Wave As saves the wave as edited so
// far; Open is not offered here).
class WaveTweakerDialog final : public DialogWindow {
public:
    // Random PD's seed for each click; the program passes the millisecond ticks.
    using SeedSource = std::uint32_t (*)();

    // Without commands the view has no menu and the shortcuts do nothing.
    WaveTweakerDialog(Waveshape& wave, SeedSource seed, PictureCommands* commands = nullptr) noexcept
        : wave_(wave), seed_(seed), commands_(commands), view_(wave)
    {
    }

    // Runs the editor owned by owner; answers 1 after OK, 2 after Escape.
    INT_PTR run(HWND owner);

    [[nodiscard]] const WaveView& view() const noexcept { return view_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> command(int id, int notification);
    std::optional<LRESULT> pointer(WaveTweakerInput::Pointer kind, bool leftButton, LPARAM position);
    // False when the position is not over the view.
    bool showPictureMenu(LPARAM position);
    void runPictureCommand(int commandId);

    Waveshape& wave_;
    SeedSource seed_;
    PictureCommands* commands_;
    WaveView view_;
    std::optional<ModalDialogShortcuts> shortcuts_;
};

} // namespace hwd
