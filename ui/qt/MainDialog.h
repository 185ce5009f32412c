#pragma once

#include "ControlStateTable.h"
#include "DialogKeyboard.h"
#include "MessageLoop.h"
#include "QtSenderControls.h"

#include <QString>
#include <QWidget>

#include <memory>

class MessageLoop;
class MidiOutput;
class MidiSender;
class PathLabel;
class QComboBox;
class QPushButton;
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
// idle pass.
class MainDialog final : public QWidget, public PreDispatchFilter, public IdleTask {
    Q_OBJECT

public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    // Settles isWindowsNT, then creates the window hidden and initialises it.
    explicit MainDialog(MidiOutput& midi);
    ~MainDialog() override;

    // The path of the last file dropped; empty before the first drop.
    [[nodiscard]] const QString& currentPath() const noexcept { return currentPath_; }

    // Loads currentPath into the wave and brings the window up to date.
    void loadCurrentFile();
    void setControlEnabled(const QString& id, bool enabled);
    void applyControlStates();
    // Hides the window and asks the loop to end with exitCode.
    void closeApplication(int exitCode);
    void send();
    void openWaveTweaker();
    void showAbout();

    bool filterMessage(QObject* receiver, QEvent* event) override;
    void runIdle() override;

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
    ControlStateTable controlStates_;
    DialogKeyboard keyboard_;
    QtMessagePresenter messages_;

    WaveView* waveView_ = nullptr;
    PathLabel* fileName_ = nullptr;
    QComboBox* portList_ = nullptr;
    QComboBox* waveNumberList_ = nullptr;
    std::unique_ptr<QtListControl> portControl_;
    std::unique_ptr<QtListControl> waveNumberControl_;
    std::unique_ptr<MidiSender> sender_;
    MessageLoop* loop_ = nullptr;

    QString currentPath_;
};
