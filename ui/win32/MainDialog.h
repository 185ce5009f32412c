#pragma once

#include "DialogWindow.h"
#include "MessageLoop.h"
#include "PictureCommands.h"
#include "WaveView.h"
#include "WaveViewToolTip.h"
#include "Win32FileChooser.h"
#include "Win32SenderControls.h"

#include "app/ListenToggle.h"
#include "app/MainDialogState.h"

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace hwd {

class MidiOutput;
class MidiSender;
class PreviewOutput;
class WaveOutPreviewOutput;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump": the user drops a WAV
// file on it, sees the wave, picks a MIDI port and a wave number and sends the
// wave; Reload reads the same file again, a double click on the wave opens the
// Wave Tweaker, About... the About box, and Quit ends the program. A right
// click on the wave, or Ctrl+O, Ctrl+S and Ctrl+L, open a file, save the wave
// and listen to it.
//
// It is the message loop's filter, which gives the modeless dialog its keyboard
// interface, and its idle task, which brings Send and Reload up to date: they
// are enabled exactly when the last load succeeded, and the change reaches them
// at the next idle pass.
class MainDialog final : public DialogWindow,
                         public PreDispatchFilter,
                         public IdleTask,
                         public PictureCommands,
                         private MainDialogWindow {
public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // What the dialog uses of the system besides its windows. The file
    // dialogs and the audio output are the system's unless given (tests give
    // scripted ones).
    struct Services {
        MidiOutput& midi;
        FileChooser* fileChooser = nullptr;
        PreviewOutput* previewOutput = nullptr;
    };

    // Settles isWindowsNT; no window yet.
    explicit MainDialog(MidiOutput& midi) : MainDialog(Services{midi}) {}
    explicit MainDialog(Services services);
    ~MainDialog() override;

    // Creates the window from its template, hidden, and initialises it; false
    // when the window cannot be made.
    bool create();

    // Loads file as a drop would, once the loop has run dry the first time:
    // the window is then shown with Send and Reload as they stand before any
    // load, so that a warning box stands over the dialog as a drop's would.
    void openWhenShown(std::filesystem::path file);

    void loadCurrentFile() { state_.loadCurrentFile(); }
    void send();
    void openWaveTweaker();
    void showAbout();
    // Destroys the window and asks the loop to end with exitCode.
    void closeApplication(int exitCode);

    void runPictureCommand(int commandId, HWND from) override;
    [[nodiscard]] bool listening() const noexcept override;

    [[nodiscard]] const MainDialogState& state() const noexcept { return state_; }
    // The recorded states of Send and Reload, which reach the buttons at the next idle pass.
    [[nodiscard]] const ControlStateTable& controlStates() noexcept { return state_.controlStates(); }
    [[nodiscard]] const WaveView& waveView() const noexcept { return waveView_; }
    [[nodiscard]] HWND toolTip() const noexcept { return toolTip_.window(); }

    bool filterMessage(MSG& message) override;
    void runIdle() override;

    // Posted to the dialog by the idle pass after openWhenShown.
    static constexpr UINT WM_OPEN_WHEN_SHOWN = WM_APP + 1;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT initialise();
    void takeDrop(HDROP drop);
    std::optional<LRESULT> command(int id, int notification);
    // Enter on a focused push button: presses it, and answers whether it did.
    bool pressFocusedButtonOnEnter(const MSG& message);
    // False when the position is not over the picture.
    bool showPictureMenu(LPARAM position);
    void stopListening() noexcept;

    void repaintWaveView() override;
    void showFileName(const std::filesystem::path& path) override;

    MidiOutput& midi_;
    Waveshape& wave_;
    Win32MessagePresenter messages_;
    MainDialogState state_;
    WaveView waveView_;
    WaveViewToolTip toolTip_;
    std::optional<ComboBoxList> portList_;
    std::optional<ComboBoxList> waveNumberList_;
    std::unique_ptr<MidiSender> sender_;
    std::filesystem::path openWhenShown_;

    // Boxes of the picture commands, owned by the window the command came from.
    Win32MessagePresenter commandMessages_;
    Win32FileChooser systemFileChooser_;
    FileChooser& fileChooser_;
    // The system's output is made with the window, whose messages feed it.
    std::unique_ptr<WaveOutPreviewOutput> waveOut_;
    PreviewOutput* previewOutput_;
    std::optional<ListenToggle> listen_;
};

} // namespace hwd
