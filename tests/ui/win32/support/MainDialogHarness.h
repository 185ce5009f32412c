#pragma once

#include "ScriptedMidiOutput.h"

#include "ui/win32/MainDialog.h"
#include "ui/win32/MessageLoop.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

// The file dialogs and the audio output a harness's dialog uses; the system's
// where none is given.
struct HarnessServices {
    hwd::FileChooser* fileChooser = nullptr;
    hwd::PreviewOutput* previewOutput = nullptr;
};

// The main dialog as runApplication sets it up, around a scripted MIDI output:
// a message loop registered for this thread, the dialog created from its
// template and shown. Each harness starts from a fresh wave and a fresh
// isWindowsNT, as a new process would.
class MainDialogHarness final : private hwd::IdleTask {
public:
    // The code run() answers when its guard ends a loop that nothing else ended.
    static constexpr int loopGuardCode = -100;

    explicit MainDialogHarness(std::vector<ScriptedMidiOutput::Device> devices = {}, HarnessServices services = {});
    explicit MainDialogHarness(HarnessServices services) : MainDialogHarness({}, services) {}
    ~MainDialogHarness();
    MainDialogHarness(const MainDialogHarness&) = delete;
    MainDialogHarness& operator=(const MainDialogHarness&) = delete;

    [[nodiscard]] HWND window() const noexcept { return dialog_->window(); }
    [[nodiscard]] HWND control(int id) const noexcept { return GetDlgItem(window(), id); }
    [[nodiscard]] hwd::MainDialog& dialog() noexcept { return *dialog_; }
    [[nodiscard]] hwd::MessageLoop& loop() noexcept { return loop_; }
    [[nodiscard]] ScriptedMidiOutput& midi() noexcept { return midi_; }
    [[nodiscard]] bool created() const noexcept { return created_; }

    // Runs the loop until its next idle pass has run (the dialog's idle task
    // included), then returns.
    void runUntilIdle();
    // Runs the loop until the input already sent has been taken and what it
    // led to is done: a timer comes only after every input message.
    void runUntilInputTaken();
    // Runs the loop with action scheduled inside it; answers the loop's exit
    // code, or loopGuardCode when the loop was still running after ten seconds.
    int run(std::function<void()> action);

    void drop(const std::vector<std::filesystem::path>& files);
    // The text the file-name box shows.
    [[nodiscard]] std::wstring fileNameText() const;
    [[nodiscard]] bool enabled(int id) const noexcept { return IsWindowEnabled(control(id)) != FALSE; }

    // Posts a key press and release to the window with the focus (or, with no
    // control focused, to the dialog), to be fetched by the loop.
    void postKey(UINT virtualKey) const;

private:
    void runIdle() override;

    ScriptedMidiOutput midi_;
    hwd::MessageLoop loop_;
    std::optional<hwd::MainDialog> dialog_;
    bool created_ = false;
    bool quitAtIdle_ = false;
};

// Removes every message left in this thread's queue, a quit request included.
void drainMessageQueue();
