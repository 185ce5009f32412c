#pragma once

#include "DialogWindow.h"
#include "WaveView.h"

#include "app/WaveTweakerInput.h"

#include <cstdint>

namespace hwd {

// The Wave Tweaker: the modal editor of the current wave. Presses and drags
// over its large view become pen points, and its six buttons run the wave
// operations, each followed by a repaint of the view. Every change goes straight
// into the wave, so OK and Escape both keep the edits.
class WaveTweakerDialog final : public DialogWindow {
public:
    // Random PD's seed for each click; the program passes the millisecond ticks.
    using SeedSource = std::uint32_t (*)();

    explicit WaveTweakerDialog(Waveshape& wave, SeedSource seed) noexcept : wave_(wave), seed_(seed), view_(wave) {}

    // Runs the editor owned by owner; answers 1 after OK, 2 after Escape.
    INT_PTR run(HWND owner);

    [[nodiscard]] const WaveView& view() const noexcept { return view_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> command(int id, int notification);
    std::optional<LRESULT> pointer(WaveTweakerInput::Pointer kind, bool leftButton, LPARAM position);

    Waveshape& wave_;
    SeedSource seed_;
    WaveView view_;
};

} // namespace hwd
