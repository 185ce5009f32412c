#include "WaveTweakerController.h"

#include "DialogControls.h"
#include "DialogKeys.h"
#include "DialogTemplates.h"
#include "PictureCommands.h"
#include "ResourceIds.h"
#include "wave/WaveOps.h"

#include <utility>

namespace hwd {

WaveTweakerController::WaveTweakerController(Waveshape& wave, std::function<std::uint32_t()> seeds,
                                             PictureCommands& commands) noexcept
    : wave_(wave), seeds_(std::move(seeds)), commands_(commands)
{
}

void WaveTweakerController::initialise(DialogControls& window)
{
    window_ = &window;
    beginEditing(wave_);
    window.focusControl(IDOK);
}

void WaveTweakerController::command(int controlId, ControlEvent event)
{
    if (window_ == nullptr)
        return;
    if (controlId == IDOK || controlId == IDCANCEL) {
        window_->endDialog(controlId == IDOK ? 1 : 2);
        return;
    }
    if (pictureHasCommand(controlId, PictureWindow::waveTweaker)) {
        // The main dialog decides what is offered here.
        commands_.runPictureCommand(controlId, PictureWindow::waveTweaker, *window_);
        return;
    }
    const std::optional<WaveOp> op = waveTweakerOperation(controlId);
    if (!op || event != ControlEvent::Clicked)
        return;
    applyWaveOp(wave_, *op, *op == WaveOp::randomPD && seeds_ ? seeds_() : 0);
    window_->repaintControl(IDC_WAVE_VIEW);
}

bool WaveTweakerController::keyPressed(const KeyPress& key)
{
    return window_ != nullptr
        && takeDialogKey(key, waveTweakerTemplate(), PictureWindow::waveTweaker, *window_, *this);
}

void WaveTweakerController::pictureMenuRequested(std::optional<Point> screenPoint)
{
    if (window_ == nullptr)
        return;
    const std::vector<MenuItem> items = commands_.pictureMenu(PictureWindow::waveTweaker);
    if (const int picked = window_->popUpMenu(items, IDC_WAVE_VIEW, screenPoint))
        command(picked, ControlEvent::Other);
}

} // namespace hwd
