#pragma once

#include "BankDialog.h"
#include "DialogWindow.h"
#include "MessageLoop.h"
#include "WaveView.h"
#include "WindowControls.h"

#include <optional>

namespace hwd {

class DialogController;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump", from its template: a
// Win32 renderer of its controller, which decides what each control does. It
// turns the window's messages into the controller's calls (a command, a drop,
// a right click on the picture, the keys) and carries out the controller's
// requests on its controls.
//
// It is the message loop's filter, which hands the controller its keys and
// gives the modeless dialog the platform's dialog keyboard (the bank window's
// keys first to that window), and its idle task.
class MainDialog final : public DialogWindow, public WindowControls, public PreDispatchFilter, public IdleTask {
public:
    // Settles isWindowsNT; no window yet. wave is what its picture shows.
    MainDialog(DialogController& controller, Waveshape& wave);

    // Creates the window from its template, hidden, and has the controller
    // initialise it; false when the window cannot be made.
    bool create();

    [[nodiscard]] const WaveView& waveView() const noexcept { return waveView_; }

    bool filterMessage(MSG& message) override;
    void runIdle() override;

    // Runs the Wave Tweaker, the Import Cycle window or the About box owned by
    // the active window.
    int runModal(int templateId, DialogController* controller) override;
    // Opens the bank window beside this one, or brings it to the front when
    // it is open already. It closes with this window at the latest.
    void openModeless(int templateId, DialogController& controller) override;
    // Destroys the window and asks the loop to end with code.
    void endDialog(int code) override;
    // The boxes and file dialogs of this window, with the bank window disabled
    // while they run their own loop, as Qt's application-modal ones disable it:
    // its keys would reach nothing meanwhile.
    void showMessage(std::string_view text, MessageIcon icon) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseFileToOpen(OpenTypes types) override;
    [[nodiscard]] std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested,
                                                                        SaveTypes types) override;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT initialise();
    // Runs a modal step of this window with the bank window disabled meanwhile;
    // one that was disabled already stays so.
    template <class Step>
    auto withBankAside(Step step);

    DialogController& controller_;
    Waveshape& wave_;
    WaveView waveView_;
    // Made anew at each opening: the one before has closed.
    std::optional<BankDialog> bank_;
};

} // namespace hwd
