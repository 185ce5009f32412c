#pragma once

#include "app/WaveTweakerInput.h"

#include <QDialog>

#include <cstdint>
#include <functional>

namespace hwd {

class WaveView;
struct Waveshape;

// The modal editor of the current wave: a large view that the user draws on with
// the left button and six buttons that run the wave operations. It edits the wave
// in place, so OK (result 1) and Escape (result 2) both keep every change; the
// opening snapshot lets Undo go back to the wave as it was when the editor opened.
class WaveTweakerDialog final : public QDialog {
    Q_OBJECT

public:
    // Random PD's seed: the milliseconds since the system started, unless replaced.
    using TickSource = std::function<std::uint32_t()>;

    explicit WaveTweakerDialog(Waveshape& wave, QWidget* owner = nullptr);

    [[nodiscard]] WaveView* view() const noexcept { return view_; }
    void setTickSource(TickSource ticks);

public slots:
    // Escape ends the editor with 2, as a cancelled dialog does.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Sends the event's point to the view when the editor takes it as a pen
    // point; answers whether it did.
    bool takePenPoint(WaveTweakerInput::Pointer pointer, QMouseEvent& event);

    Waveshape& wave_;
    WaveView* view_ = nullptr;
    TickSource ticks_;
};

} // namespace hwd
