#pragma once

#include "DialogKeyboard.h"
#include "FileDrop.h"
#include "MessageLoop.h"
#include "WindowControls.h"

#include <QPointer>
#include <QWidget>

namespace hwd {

class BankDialog;
class DialogController;
class WaveView;
struct Waveshape;

// The program's one top-level window, "Harlix Wave Dump", built from the main
// dialog's template: a Qt renderer of its controller, which decides what each
// control does. It turns Qt's events into the controller's calls (a click, a
// double click or a right click on the picture, a drop, the keys, the close
// box) and carries out the controller's requests on its widgets.
//
// It is the message loop's filter, which hands the controller its keys and
// gives the window the dialog keyboard interface, and its idle task.
class MainDialog final : public QWidget, public WindowControls, public PreDispatchFilter, public IdleTask {
    Q_OBJECT

public:
    // Settles isWindowsNT, then creates the window hidden and has the
    // controller initialise it. wave is what its picture shows.
    MainDialog(DialogController& controller, Waveshape& wave);

    [[nodiscard]] WaveView& waveView() const noexcept { return *waveView_; }

    bool filterMessage(QObject* receiver, QEvent* event) override;
    void runIdle() override;

    // Runs the Wave Tweaker, the Import Cycle window or the About box over the
    // active window.
    int runModal(int templateId, DialogController* controller) override;
    // The bank window, once: opened again, it comes to the front.
    void openModeless(int templateId, DialogController& controller) override;
    // Hides the window and asks the loop to end with code.
    void endDialog(int code) override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    DialogController& controller_;
    Waveshape& wave_;
    DialogKeyboard keyboard_;
    WaveView* waveView_ = nullptr;
    MessageLoop* loop_ = nullptr;
    FileDrop drops_;
    QPointer<BankDialog> bank_;
};

} // namespace hwd
