#pragma once

#include "ui/win32/MainDialog.h"
#include "ui/win32/MessageLoop.h"

#include "wave/Waveshape.h"

#include <windows.h>

#include <functional>
#include <optional>

// The main dialog as runApplication sets it up, around the controller a test
// gives: a message loop registered for this thread, the dialog created from
// its template over a wave of its own, and shown. Each harness starts from a
// fresh isWindowsNT, as a new process would.
class MainDialogHarness final : private hwd::IdleTask {
public:
    // The code run() answers when its guard ends a loop that nothing else ended.
    static constexpr int loopGuardCode = -100;

    explicit MainDialogHarness(hwd::DialogController& controller);
    ~MainDialogHarness();
    MainDialogHarness(const MainDialogHarness&) = delete;
    MainDialogHarness& operator=(const MainDialogHarness&) = delete;

    [[nodiscard]] HWND window() const noexcept { return dialog_->window(); }
    [[nodiscard]] HWND control(int id) const noexcept { return GetDlgItem(window(), id); }
    [[nodiscard]] hwd::MainDialog& dialog() noexcept { return *dialog_; }
    [[nodiscard]] hwd::Waveshape& wave() noexcept { return wave_; }
    [[nodiscard]] bool created() const noexcept { return created_; }

    // Runs the loop until its next idle pass has run (the dialog's idle task
    // included), then returns.
    void runUntilIdle();
    // Runs the loop until the input and messages already sent have been taken
    // and what they led to is done: a timer comes only after all of them.
    void runUntilInputTaken();
    // Runs the loop with action scheduled inside it; answers the loop's exit
    // code, or loopGuardCode when the loop was still running after ten seconds.
    int run(std::function<void()> action);

private:
    void runIdle() override;

    hwd::Waveshape wave_;
    hwd::MessageLoop loop_;
    std::optional<hwd::MainDialog> dialog_;
    bool created_ = false;
    bool quitAtIdle_ = false;
};

// Removes every message left in this thread's queue, a quit request included.
void drainMessageQueue();
