#pragma once

#include "DialogWindow.h"
#include "MessageLoop.h"
#include "WaveView.h"
#include "Win32SenderControls.h"

#include "app/MainDialogState.h"

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace hwd {

class MidiOutput;
class MidiSender;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump": the user drops a WAV
// file on it, sees the wave, picks a MIDI port and a wave number and sends the
// wave; Reload reads the same file again, a double click on the wave opens the
// Wave Tweaker, About... the About box, and Quit ends the program.
//
// It is the message loop's filter, which gives the modeless dialog its keyboard
// interface, and its idle task, which brings Send and Reload up to date: they
// are enabled exactly when the last load succeeded, and the change reaches them
// at the next idle pass.
class MainDialog final : public DialogWindow,
                         public PreDispatchFilter,
                         public IdleTask,
                         private MainDialogWindow {
public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // Settles isWindowsNT; no window yet.
    explicit MainDialog(MidiOutput& midi);
    ~MainDialog() override;

    // Creates the window from its template, hidden, and initialises it; false
    // when the window cannot be made.
    bool create();

    void loadCurrentFile() { state_.loadCurrentFile(); }
    void send();
    void openWaveTweaker();
    void showAbout();
    // Destroys the window and asks the loop to end with exitCode.
    void closeApplication(int exitCode);

    [[nodiscard]] const MainDialogState& state() const noexcept { return state_; }
    // The recorded states of Send and Reload, which reach the buttons at the next idle pass.
    [[nodiscard]] const ControlStateTable& controlStates() noexcept { return state_.controlStates(); }
    [[nodiscard]] const WaveView& waveView() const noexcept { return waveView_; }

    bool filterMessage(MSG& message) override;
    void runIdle() override;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT initialise();
    void takeDrop(HDROP drop);
    std::optional<LRESULT> command(int id, int notification);

    void repaintWaveView() override;
    void showFileName(const std::filesystem::path& path) override;

    MidiOutput& midi_;
    Waveshape& wave_;
    Win32MessagePresenter messages_;
    MainDialogState state_;
    WaveView waveView_;
    std::optional<ComboBoxList> portList_;
    std::optional<ComboBoxList> waveNumberList_;
    std::unique_ptr<MidiSender> sender_;
};

} // namespace hwd
