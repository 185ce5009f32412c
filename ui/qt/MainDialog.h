#pragma once

#include "DialogKeyboard.h"
#include "MessageLoop.h"
#include "QtSenderControls.h"
#include "app/MainDialogState.h"

#include <QWidget>

#include <filesystem>
#include <memory>

class QComboBox;

namespace hwd {

class MidiOutput;
class MidiSender;
class PathLabel;
class WaveView;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump": the user drops a WAV
// file on it, sees the wave, picks a MIDI port and a wave number and sends the
// wave; Reload reads the same file again, a double click on the wave opens the
// Wave Tweaker, About... the About box, and Quit ends the program.
//
// It is the message loop's filter, which gives it the dialog keyboard interface,
// and its idle task, which brings Send and Reload up to date: they are enabled
// exactly when the last load succeeded, and the change reaches them at the next
// idle pass. The rules themselves are MainDialogState's; this class is their
// Qt window.
class MainDialog final : public QWidget, public PreDispatchFilter, public IdleTask, public MainDialogWindow {
    Q_OBJECT

public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // Settles isWindowsNT, then creates the window hidden and initialises it.
    explicit MainDialog(MidiOutput& midi);
    ~MainDialog() override;

    // The first file of the last drop, as the loader opens it; empty before the
    // first drop.
    [[nodiscard]] const std::filesystem::path& currentPath() const noexcept { return state_.currentPath(); }

    // Loads currentPath into the wave and brings the window up to date.
    void loadCurrentFile();
    // Hides the window and asks the loop to end with exitCode.
    void closeApplication(int exitCode);
    void send();
    void openWaveTweaker();
    void showAbout();

    bool filterMessage(QObject* receiver, QEvent* event) override;
    void runIdle() override;

    void repaintWaveView() override;
    void showFileName(const std::filesystem::path& path) override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void initialise();

    MidiOutput& midi_;
    Waveshape& wave_;
    DialogKeyboard keyboard_;
    QtMessagePresenter messages_;
    MainDialogState state_;

    WaveView* waveView_ = nullptr;
    PathLabel* fileName_ = nullptr;
    std::unique_ptr<QtListControl> portControl_;
    std::unique_ptr<QtListControl> waveNumberControl_;
    std::unique_ptr<MidiSender> sender_;
    MessageLoop* loop_ = nullptr;
};

} // namespace hwd
