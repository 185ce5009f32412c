#pragma once

#include "CyclePictures.h"
#include "DialogController.h"
#include "wave/CycleImport.h"
#include "wave/Waveshape.h"

#include <optional>
#include <string>

namespace hwd {

class ListenToggle;
struct Recording;

// The Import Cycle window's rules, for both front ends: the recording's
// overview with the cycle marked, the cycle zoomed with the 128 samples made
// of it, Start and Length as the user types them, Auto (the period found
// again near the start), Listen (the result, live, on the program's one
// preview), OK and Cancel. Every change of the cycle remakes the samples and
// repaints both pictures; OK is offered only while the fields give a cycle
// that fits in the recording.
class ImportCycleController final : public DialogController {
public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // The recording must outlive the controller; initial is the cycle shown
    // first (the smpl loop or the one found), nothing when neither exists.
    // Listen plays the result while the window is open, then current again.
    ImportCycleController(const Recording& recording, std::optional<CycleChoice> initial, ListenToggle& listen,
                          const Waveshape& current);
    ImportCycleController(const ImportCycleController&) = delete;
    ImportCycleController& operator=(const ImportCycleController&) = delete;
    ~ImportCycleController() override;

    void initialise(DialogControls& window) override;
    void command(int controlId, ControlEvent event) override;
    [[nodiscard]] bool keyPressed(const KeyPress& key) override;
    void pictureMenuRequested(std::optional<Point> screenPoint) override;
    [[nodiscard]] Drawing drawPicture(int controlId, Size client) const override;
    void pictureClicked(int controlId, Point point, Size client, ClickKeys held) override;

    // The cycle the fields give and where it came from; nothing while they
    // give none that fits.
    [[nodiscard]] const std::optional<CycleChoice>& chosen() const noexcept { return chosen_; }
    // The 128 samples made of the last cycle that fitted.
    [[nodiscard]] const SampleArray& samples() const noexcept { return result_.samples; }

private:
    // Reads both fields and remakes the result; origin is what the cycle is
    // said to come from when the fields give one.
    void takeFields(CycleOrigin origin);
    void findPeriodAgain();
    void showCycle(const Cycle& cycle, CycleOrigin origin);
    // Why the fields give no cycle, or empty when they give one that fits.
    [[nodiscard]] std::string fieldProblem(const std::optional<std::uint64_t>& start,
                                           const std::optional<double>& length) const;

    const Recording& recording_;
    ListenToggle& listen_;
    const Waveshape& current_;
    CyclePictures::Overview overview_;
    std::optional<CycleChoice> initial_;
    std::optional<CycleChoice> chosen_;
    // The last cycle that fitted, as drawn, and the wave made of it, which
    // Listen plays while the window is open.
    Cycle shown_;
    Waveshape result_;
    DialogControls* window_ = nullptr;
};

} // namespace hwd
