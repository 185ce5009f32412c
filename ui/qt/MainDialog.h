#pragma once

#include "DialogKeyboard.h"
#include "MessageLoop.h"
#include "PictureCommands.h"
#include "QtSenderControls.h"
#include "app/ListenToggle.h"
#include "app/MainDialogState.h"

#include <QWidget>

#include <filesystem>
#include <memory>

class QComboBox;

namespace hwd {

class FileChooser;
class MidiOutput;
class MidiSender;
class PathLabel;
class PreviewOutput;
class WaveView;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump": the user drops a WAV
// file on it, sees the wave, picks a MIDI port and a wave number and sends the
// wave; Reload reads the same file again, a double click on the wave opens the
// Wave Tweaker, About... the About box, and Quit ends the program. Open (Ctrl+O),
// Save Wave As (Ctrl+S) and Listen (Ctrl+L) work from any of its controls and
// from either picture's menu; the Wave Tweaker reaches the same commands.
//
// It is the message loop's filter, which gives it the dialog keyboard interface,
// and its idle task, which brings Send and Reload up to date: they are enabled
// exactly when the last load succeeded, and the change reaches them at the next
// idle pass. The rules themselves are MainDialogState's; this class is their
// Qt window.
class MainDialog final : public QWidget,
                         public PreDispatchFilter,
                         public IdleTask,
                         public MainDialogWindow,
                         public PictureCommands {
    Q_OBJECT

public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // Settles isWindowsNT, then creates the window hidden and initialises it.
    // Listen plays on preview, or on the system's default audio output when
    // none is given.
    explicit MainDialog(MidiOutput& midi, PreviewOutput* preview = nullptr);
    ~MainDialog() override;

    // The first file of the last drop, as the loader opens it; empty before the
    // first drop.
    [[nodiscard]] const std::filesystem::path& currentPath() const noexcept { return state_.currentPath(); }

    // Loads currentPath into the wave and brings the window up to date.
    void loadCurrentFile();
    // Loads path as a drop would, so that Reload reads it again: a file named on
    // the command line or picked with Open.
    void openFile(std::filesystem::path path);
    // Opens file once the loop has run dry the first time: the window is then
    // shown with Send and Reload as they stand before any load, so that a
    // warning box stands over the dialog as a drop's would.
    void openWhenShown(std::filesystem::path file) { openWhenShown_ = std::move(file); }
    // Hides the window, stops the preview and asks the loop to end with exitCode.
    void closeApplication(int exitCode);
    void send();
    void openWaveTweaker();
    void showAbout();

    // Open, Save Wave As and Listen ask this chooser from now on instead of
    // Qt's file dialogs; it must outlive the dialog.
    void setFileChooser(FileChooser& chooser) noexcept { chooser_ = &chooser; }
    [[nodiscard]] bool listening() const noexcept { return listen_.listening(); }

    [[nodiscard]] bool pictureCommandEnabled(int commandId, PictureWindow where) const override;
    [[nodiscard]] bool pictureCommandChecked(int commandId) const override;
    void runPictureCommand(int commandId, PictureWindow where) override;

    bool filterMessage(QObject* receiver, QEvent* event) override;
    void runIdle() override;

    void repaintWaveView() override;
    void showFileName(const std::filesystem::path& path) override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void initialise();
    // Ctrl+O, Ctrl+S or Ctrl+L for one of the dialog's widgets: whether it was one.
    bool handleCommandKey(QObject* receiver, QEvent* event);

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
    // The file that the drag in progress offered when it entered the window,
    // taken at the drop without asking the source again.
    QString offeredFile_;
    std::filesystem::path openWhenShown_;

    std::unique_ptr<FileChooser> ownChooser_;
    FileChooser* chooser_ = nullptr;
    // The output before the toggle, which stops it when it goes.
    std::unique_ptr<PreviewOutput> ownPreview_;
    ListenToggle listen_;
};

} // namespace hwd
