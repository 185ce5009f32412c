#include "ImportCycleController.h"

#include "DialogControls.h"
#include "DialogKeys.h"
#include "DialogTemplates.h"
#include "ListenToggle.h"
#include "PictureCommands.h"
#include "ResourceIds.h"
#include "wave/CycleText.h"
#include "wave/Recording.h"

namespace hwd {

ImportCycleController::ImportCycleController(const Recording& recording, std::optional<CycleChoice> initial,
                                             ListenToggle& listen, const Waveshape& current)
    : recording_(recording), listen_(listen), current_(current), overview_(recording.frames), initial_(initial)
{
    // Listen plays silence until a cycle fits.
}

ImportCycleController::~ImportCycleController()
{
    listen_.follow(current_);
}

void ImportCycleController::initialise(DialogControls& window)
{
    window_ = &window;
    listen_.follow(result_);
    if (initial_) {
        showCycle(initial_->cycle, initial_->origin);
    } else {
        window.setControlText(IDC_CYCLE_START, "0");
        window.setControlText(IDC_CYCLE_LENGTH, "");
        window.enableControl(IDOK, false);
        window.setControlText(IDC_CYCLE_STATUS, "No steady pitch was found: set the start and the length by hand.");
    }
    window.focusControl(initial_ ? IDOK : IDC_CYCLE_LENGTH);
}

void ImportCycleController::command(int controlId, ControlEvent event)
{
    if (window_ == nullptr)
        return;
    switch (controlId) {
    case IDC_CYCLE_START:
    case IDC_CYCLE_LENGTH:
        if (event == ControlEvent::Changed)
            takeFields(CycleOrigin::given);
        break;
    case IDC_AUTO:
        findPeriodAgain();
        break;
    case ID_LISTEN:
        if (const std::string problem = listen_.toggle(); !problem.empty())
            window_->showMessage(problem, MessageIcon::Warning);
        break;
    case IDOK:
        if (chosen_)
            window_->endDialog(exitOk);
        break;
    case IDCANCEL:
        window_->endDialog(exitCancel);
        break;
    default:
        break;
    }
}

bool ImportCycleController::keyPressed(const KeyPress& key)
{
    return window_ != nullptr
        && takeDialogKey(key, importCycleTemplate(), PictureWindow::importCycle, *window_, *this);
}

void ImportCycleController::pictureMenuRequested(std::optional<Point> screenPoint)
{
    if (window_ == nullptr)
        return;
    const std::vector<MenuItem> items =
        pictureMenuItems(PictureWindow::importCycle, {result_.loaded, false, listen_.listening()});
    if (const int picked = window_->popUpMenu(items, IDC_CYCLE_VIEW, screenPoint))
        command(picked, ControlEvent::Other);
}

Drawing ImportCycleController::drawPicture(int controlId, Size client) const
{
    switch (controlId) {
    case IDC_RECORDING_VIEW:
        return overview_.draw(client, shown_);
    case IDC_CYCLE_VIEW:
        if (!result_.loaded)
            return CyclePictures::drawCycle({}, {}, {}, client);
        return CyclePictures::drawCycle(recording_.frames, shown_, result_.samples, client);
    default:
        return {};
    }
}

void ImportCycleController::pictureClicked(int controlId, Point point, Size client, ClickKeys /*held*/)
{
    if (window_ == nullptr || controlId != IDC_RECORDING_VIEW)
        return;
    window_->setControlText(IDC_CYCLE_START, std::to_string(overview_.frameAt(point.x, client)));
    takeFields(CycleOrigin::given);
}

void ImportCycleController::takeFields(CycleOrigin origin)
{
    const std::optional<std::uint64_t> start = parseStartFrame(window_->controlText(IDC_CYCLE_START));
    const std::optional<double> length = parseCycleLength(window_->controlText(IDC_CYCLE_LENGTH));
    if (const std::string problem = fieldProblem(start, length); !problem.empty()) {
        chosen_.reset();
        window_->enableControl(IDOK, false);
        window_->setControlText(IDC_CYCLE_STATUS, problem);
        return;
    }
    const Cycle cycle{*start, shownLength(*length)};
    chosen_ = CycleChoice{cycle, origin};
    shown_ = cycle;
    result_.samples = cycleToWave(recording_.frames, cycle);
    result_.loaded = true;
    window_->enableControl(IDOK, true);
    window_->setControlText(IDC_CYCLE_STATUS, describeCycle(*chosen_, recording_.rate));
    window_->repaintControl(IDC_RECORDING_VIEW);
    window_->repaintControl(IDC_CYCLE_VIEW);
}

void ImportCycleController::findPeriodAgain()
{
    const std::optional<std::uint64_t> start = parseStartFrame(window_->controlText(IDC_CYCLE_START));
    if (!start || *start >= recording_.frames.size()) {
        window_->setControlText(IDC_CYCLE_STATUS, fieldProblem(start, 2.0));
        return;
    }
    const std::optional<double> period = findPeriod(recording_.frames, recording_.rate, *start);
    if (!period) {
        window_->setControlText(IDC_CYCLE_STATUS,
                                "No steady pitch was found near frame " + std::to_string(*start) + ".");
        return;
    }
    showCycle({*start, *period}, CycleOrigin::found);
}

void ImportCycleController::showCycle(const Cycle& cycle, CycleOrigin origin)
{
    window_->setControlText(IDC_CYCLE_START, std::to_string(cycle.start));
    window_->setControlText(IDC_CYCLE_LENGTH, lengthText(cycle.length));
    takeFields(origin);
}

std::string ImportCycleController::fieldProblem(const std::optional<std::uint64_t>& start,
                                                const std::optional<double>& length) const
{
    const std::uint64_t frameCount = recording_.frames.size();
    if (!start || *start >= frameCount)
        return "The start must be a frame from 0 to " + std::to_string(frameCount - 1) + ".";
    if (!length || shownLength(*length) < 2.0 || *length > maximumCycleLength)
        return "The length must be a number of frames from 2 to " + lengthText(maximumCycleLength) + ".";
    if (!cycleFits(recording_.frames, {*start, shownLength(*length)}))
        return "The cycle runs past the end of the recording (" + std::to_string(frameCount) + " frames).";
    return {};
}

} // namespace hwd
