#include "MainDialog.h"

#include "AboutDialog.h"
#include "BankDialog.h"
#include "ApplicationIcon.h"
#include "ImportCycleDialog.h"
#include "KeyTranslation.h"
#include "TemplateWindow.h"
#include "WaveTweakerDialog.h"
#include "WaveView.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "app/WindowsNT.h"

#include <QApplication>
#include <QCloseEvent>

#include <thread>

namespace hwd {

namespace {

QWidget* activeWindowOr(QWidget* fallback)
{
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : fallback;
}

} // namespace

MainDialog::MainDialog(DialogController& controller, Waveshape& wave)
    : QWidget(nullptr, TemplateWindow::flagsFor(mainDialogTemplate().frame)),
      WindowControls(*this, mainDialogTemplate()),
      controller_(controller),
      wave_(wave),
      keyboard_(*this)
{
    // Settled before the window is built, so every paint and double click sees it.
    if (platformIsWindowsNT())
        setWindowsNT(true);

    const DialogTemplate& dialogTemplate = mainDialogTemplate();
    const std::vector<TemplateWindow::BuiltControl> built = TemplateWindow::build(*this, dialogTemplate, &wave_);
    // Template order is also the order of the keyboard groups.
    for (const TemplateWindow::BuiltControl& control : built)
        keyboard_.addControl(*control.widget, control.control->startsGroup);
    TemplateWindow::routeCommands(built, controller_);

    waveView_ = TemplateWindow::child<WaveView>(*this, dialogTemplate, IDC_WAVE_VIEW);
    waveView_->setEditMode(false);
    connect(waveView_, &WaveView::doubleClicked, this,
            [this] { controller_.command(IDC_WAVE_VIEW, ControlEvent::DoubleClicked); });
    connect(waveView_, &WaveView::menuRequested, this,
            [this](QPoint at) { controller_.pictureMenuRequested(Point{at.x(), at.y()}); });

    // The platform window, still hidden, so that the centring knows the frame.
    create();
    controller_.initialise(*this);
    WindowCentring::centre(*this, nullptr);
    setWindowIcon(applicationIcon());
    loop_ = LoopRegistry::instance().find(std::this_thread::get_id());
    if (loop_ != nullptr) {
        loop_->addFilter(*this);
        loop_->addIdleTask(*this);
    }
}

bool MainDialog::filterMessage(QObject* receiver, QEvent* event)
{
    // Only the dialog's own keys: a list's open drop-down is a window of its own.
    const auto* target = qobject_cast<const QWidget*>(receiver);
    if (target == nullptr || target->window() != this)
        return false;
    if (const std::optional<KeyPress> key = keyPressFor(*event); key && controller_.keyPressed(*key))
        return true;
    return keyboard_.handle(receiver, event);
}

void MainDialog::runIdle()
{
    controller_.runIdle();
}

int MainDialog::runModal(int templateId, DialogController* controller)
{
    QWidget* owner = activeWindowOr(this);
    if (templateId == IDD_WAVE_TWEAKER && controller != nullptr) {
        WaveTweakerDialog dialog(*controller, wave_, owner);
        return dialog.exec();
    }
    if (templateId == IDD_IMPORT_CYCLE && controller != nullptr) {
        ImportCycleDialog dialog(*controller, owner);
        return dialog.exec();
    }
    if (templateId == IDD_ABOUTBOX) {
        AboutDialog dialog(owner);
        return dialog.exec();
    }
    return 0;
}

void MainDialog::openModeless(int templateId, DialogController& controller)
{
    if (templateId != IDD_BANK)
        return;
    if (bank_.isNull()) {
        bank_ = new BankDialog(controller, this);
        bank_->show();
    }
    bank_->raise();
    bank_->activateWindow();
}

void MainDialog::endDialog(int code)
{
    hide();
    if (loop_ != nullptr)
        loop_->postQuit(code);
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    drops_.enter(*event);
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event)
{
    drops_.move(*event);
}

void MainDialog::dragLeaveEvent(QDragLeaveEvent* event)
{
    drops_.leave();
    QWidget::dragLeaveEvent(event);
}

void MainDialog::dropEvent(QDropEvent* event)
{
    // Loaded once the drop has completed, so that a warning box does not hold the
    // file manager's drag until it is closed.
    if (std::filesystem::path file = drops_.drop(*event); !file.empty())
        later([this, file = std::move(file)] { controller_.fileDropped(file); });
}

void MainDialog::closeEvent(QCloseEvent* event)
{
    // The close box is the Cancel command.
    event->ignore();
    controller_.command(IDCANCEL, ControlEvent::Other);
}

} // namespace hwd
