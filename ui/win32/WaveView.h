#pragma once

#include "SubclassedControl.h"

namespace hwd {

struct Waveshape;

// The private message that carries one pen point to a wave view: wParam is the
// address of a POINT in the view's client coordinates, lParam 0. Always sent,
// never posted, so the point may live on the sender's stack.
inline constexpr UINT WM_WAVEVIEW_PEN = WM_USER + 50;

// The picture of the current wave in the static control IDC_WAVE_VIEW of a
// dialog: a light-blue box with a black outline, the 128 samples as black bars
// on a black centre line, and a red "*" when the wave was resampled. It keeps
// no copy of the wave: every paint reads it and every pen point writes it. In
// edit mode it takes pen points and draws full scale; otherwise it ignores them
// and keeps a margin above and below the bars.
class WaveView final : public SubclassedControl {
public:
    explicit WaveView(Waveshape& wave) noexcept : wave_(wave) {}

    // Takes over the dialog's IDC_WAVE_VIEW and leaves edit mode off.
    bool takeOver(HWND dialog);

    [[nodiscard]] bool editMode() const noexcept { return editMode_; }
    void setEditMode(bool editMode) noexcept { editMode_ = editMode; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint();
    void takePenPoint(const POINT& point);

    Waveshape& wave_;
    bool editMode_ = false;
};

} // namespace hwd
