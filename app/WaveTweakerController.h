#pragma once

#include "DialogController.h"

#include <cstdint>
#include <functional>

namespace hwd {

class PictureCommands;
struct Waveshape;

// The Wave Tweaker's rules, for both front ends: the modal editor of the
// current wave, whose six buttons run the wave operations, each followed by a
// repaint of its picture (the pen strokes on the picture are the front end's).
// It edits the wave in place, so OK (1) and Escape (2) both keep every change;
// the opening snapshot lets Undo go back to the wave as it was when the editor
// opened. Save Wave As and Listen reach the main dialog's commands.
class WaveTweakerController final : public DialogController {
public:
    // seeds gives Random PD's seed at each click.
    WaveTweakerController(Waveshape& wave, std::function<std::uint32_t()> seeds, PictureCommands& commands) noexcept;

    void initialise(DialogControls& window) override;
    void command(int controlId, ControlEvent event) override;
    [[nodiscard]] bool keyPressed(const KeyPress& key) override;
    void pictureMenuRequested(std::optional<Point> screenPoint) override;

private:
    Waveshape& wave_;
    std::function<std::uint32_t()> seeds_;
    PictureCommands& commands_;
    DialogControls* window_ = nullptr;
};

} // namespace hwd
