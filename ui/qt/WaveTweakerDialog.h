#pragma once

#include "app/WaveTweakerInput.h"

#include <QDialog>

#include <cstdint>
#include <functional>

namespace hwd {

class PictureCommands;
class WaveView;
struct Waveshape;

// The modal editor of the current wave: a large view that the user draws on with
// the left button and six buttons that run the wave operations. It edits the wave
// in place, so OK (result 1) and Escape (result 2) both keep every change; the
// opening snapshot lets Undo go back to the wave as it was when the editor opened.
// Save Wave As (Ctrl+S) and Listen (Ctrl+L) reach the main dialog's commands,
// from the keys whatever control has the focus and from the picture's menu.
class WaveTweakerDialog final : public QDialog {
    Q_OBJECT

public:
    // Random PD's seed: the milliseconds since the system started, unless replaced.
    using TickSource = std::function<std::uint32_t()>;

    // commands: the main dialog's Open, Save Wave As and Listen; without them
    // neither the keys nor the picture's menu do anything.
    explicit WaveTweakerDialog(Waveshape& wave, QWidget* owner = nullptr, PictureCommands* commands = nullptr);

    [[nodiscard]] WaveView* view() const noexcept { return view_; }
    void setTickSource(TickSource ticks);

public slots:
    // Escape ends the editor with 2, as a cancelled dialog does.
    void reject() override;

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
    void addCommandKeys(PictureCommands& commands);

    Waveshape& wave_;
    WaveView* view_ = nullptr;
    TickSource ticks_;
};

} // namespace hwd
