#pragma once

#include "DialogWindow.h"
#include "app/WaveTweakerInput.h"

namespace hwd {

class DialogController;
class WaveView;
struct Waveshape;

// The Wave Tweaker's window, built from its template: a Qt renderer of its
// controller. Presses and drags over its large view become pen points; its
// buttons, keys and the picture's menu reach the controller.
class WaveTweakerDialog final : public DialogWindow {
    Q_OBJECT

public:
    WaveTweakerDialog(DialogController& controller, Waveshape& wave, QWidget* owner = nullptr);

    [[nodiscard]] WaveView* view() const noexcept { return view_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The view lets the mouse through, so its right click arrives here.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Sends the event's point to the view when the editor takes it as a pen
    // point; answers whether it did.
    bool takePenPoint(WaveTweakerInput::Pointer pointer, QMouseEvent& event);

    WaveView* view_ = nullptr;
};

} // namespace hwd
