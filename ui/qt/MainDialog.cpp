#include "MainDialog.h"

#include "AboutDialog.h"
#include "AlsaPreviewOutput.h"
#include "ApplicationIcon.h"
#include "PathLabel.h"
#include "PictureContextMenu.h"
#include "QtFileChooser.h"
#include "TemplateWindow.h"
#include "WaveTweakerDialog.h"
#include "WaveView.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "app/WaveSaving.h"
#include "app/WindowsNT.h"
#include "transfer/AccessNotice.h"
#include "transfer/MidiSender.h"
#include "wave/Waveshape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>

#include <thread>
#include <utility>

namespace hwd {

namespace {

// The first local file of a drop, as the file manager lists them; empty when the
// drop holds no file.
QString firstLocalFile(const QMimeData* data)
{
    if (data == nullptr)
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

// A drop of a local file is taken as a copy, never as a move: the file manager
// would otherwise delete the file once it has been read. Refused drops show the
// no-drop cursor. Answers the file taken, or an empty name when refused.
// offered is the file that this drag already showed: its data is not asked
// for again, since a source that has ended its side of the drag at the drop
// (as small Qt tools do) no longer answers, and asking waits for seconds.
QString acceptFileDrop(QDropEvent& event, const QString& offered = {})
{
    const Qt::DropActions possible = event.possibleActions();
    const QString file = offered.isEmpty() ? firstLocalFile(event.mimeData()) : offered;
    if (file.isEmpty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
        event.ignore();
        return {};
    }
    event.setDropAction(possible & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event.accept();
    return file;
}

// A file name as the loader opens it: the very bytes that name the file on disk,
// as Qt's own file access encodes them, so that any name that the file manager
// can drop also opens.
std::filesystem::path nativePath(const QString& fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

QString displayName(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

} // namespace

MainDialog::MainDialog(MidiOutput& midi, PreviewOutput* preview)
    : QWidget(nullptr, TemplateWindow::flagsFor(mainDialogTemplate().frame)),
      midi_(midi), wave_(currentWaveshape()), keyboard_(*this), messages_(*this), state_(wave_, messages_, *this),
      ownChooser_(std::make_unique<QtFileChooser>(*this)), chooser_(ownChooser_.get()),
      ownPreview_(preview == nullptr ? std::make_unique<AlsaPreviewOutput>() : nullptr),
      listen_(preview != nullptr ? *preview : *ownPreview_, messages_, wave_)
{
    // Settled before the window is built, so every paint and double click sees it.
    if (platformIsWindowsNT())
        setWindowsNT(true);

    createControls();
    // The platform window, still hidden, so that the centring knows the frame.
    create();
    initialise();
}

MainDialog::~MainDialog() = default;

void MainDialog::createControls()
{
    const DialogTemplate& dialogTemplate = mainDialogTemplate();
    // Template order is also the order of the keyboard groups.
    for (const TemplateWindow::BuiltControl& built : TemplateWindow::build(*this, dialogTemplate, &wave_))
        keyboard_.addControl(*built.widget, built.control->startsGroup);

    waveView_ = TemplateWindow::child<WaveView>(*this, dialogTemplate, IDC_WAVE_VIEW);
    fileName_ = TemplateWindow::child<PathLabel>(*this, dialogTemplate, IDC_FILE_NAME);
    auto button = [&dialogTemplate, this](int id) { return TemplateWindow::child<QPushButton>(*this, dialogTemplate, id); };
    connect(button(IDCANCEL), &QPushButton::clicked, this, [this] { closeApplication(exitCancel); });
    connect(button(ID_APP_ABOUT), &QPushButton::clicked, this, &MainDialog::showAbout);
    connect(button(IDC_SEND), &QPushButton::clicked, this, &MainDialog::send);
    connect(button(IDC_RELOAD), &QPushButton::clicked, this, &MainDialog::loadCurrentFile);
}

void MainDialog::initialise()
{
    const DialogTemplate& dialogTemplate = mainDialogTemplate();
    waveView_->setEditMode(false);
    connect(waveView_, &WaveView::doubleClicked, this, &MainDialog::openWaveTweaker);
    waveView_->setPictureCommands(*this, PictureWindow::mainDialog);
    waveView_->setToolTip(QString::fromUtf8(waveViewToolTip));

    waveNumberControl_ =
        std::make_unique<QtListControl>(*TemplateWindow::child<QComboBox>(*this, dialogTemplate, IDC_WAVE_NUMBER));
    auto* portList = TemplateWindow::child<QComboBox>(*this, dialogTemplate, IDC_PORT);
    portControl_ = std::make_unique<QtListControl>(*portList);
    // Ports that the system keeps from this user are missing from the list
    // without a word otherwise; the list itself says why and what helps.
    portList->setToolTip(QString::fromStdString(accessNotice(midi_.accessProblem())));

    // Recorded now, shown at the first idle pass after the window appears.
    state_.initialise();

    fileName_->setText(QString::fromLatin1(dropHint));

    sender_ = std::make_unique<MidiSender>(midi_, wave_, *portControl_, *waveNumberControl_, messages_);
    sender_->fillWaveNumberList();
    sender_->fillPortList();

    WindowCentring::centre(*this, nullptr);
    setWindowIcon(applicationIcon());

    loop_ = LoopRegistry::instance().find(std::this_thread::get_id());
    if (loop_ != nullptr) {
        loop_->addFilter(*this);
        loop_->addIdleTask(*this);
    }

    state_.controlStates().addContainer(TemplateWindow::controlsOf(*this, dialogTemplate));
    TemplateWindow::child(*this, dialogTemplate, IDCANCEL)->setFocus();
}

void MainDialog::loadCurrentFile()
{
    state_.loadCurrentFile();
}

void MainDialog::openFile(std::filesystem::path path)
{
    state_.openFile(std::move(path));
}

void MainDialog::repaintWaveView()
{
    waveView_->update();
}

void MainDialog::showFileName(const std::filesystem::path& path)
{
    fileName_->setText(displayName(path));
}

void MainDialog::closeApplication(int exitCode)
{
    // The preview ends with the window, before the loop does.
    if (listen_.listening())
        listen_.toggle();
    hide();
    if (loop_ != nullptr)
        loop_->postQuit(exitCode);
}

void MainDialog::send()
{
    sender_->send();
}

void MainDialog::openWaveTweaker()
{
    if (!state_.mayOpenWaveTweaker())
        return;
    QWidget* owner = QApplication::activeWindow();
    WaveTweakerDialog dialog(wave_, owner != nullptr ? owner : this, this);
    dialog.exec();
    waveView_->update();
}

void MainDialog::showAbout()
{
    QWidget* owner = QApplication::activeWindow();
    AboutDialog dialog(owner != nullptr ? owner : this);
    dialog.exec();
}

bool MainDialog::pictureCommandEnabled(int commandId, PictureWindow where) const
{
    return hwd::pictureCommandEnabled(commandId, where, wave_.loaded);
}

bool MainDialog::pictureCommandChecked(int commandId) const
{
    return commandId == ID_LISTEN && listen_.listening();
}

void MainDialog::runPictureCommand(int commandId, PictureWindow where)
{
    if (!pictureCommandEnabled(commandId, where))
        return;
    switch (commandId) {
    case ID_FILE_OPEN:
        state_.open(*chooser_);
        break;
    case ID_FILE_SAVE_AS:
        saveWaveAs(*chooser_, messages_, wave_, sender_->selectedWaveNumber(), state_.currentPath());
        break;
    case ID_LISTEN:
        listen_.toggle();
        break;
    default:
        break;
    }
}

bool MainDialog::handleCommandKey(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* target = qobject_cast<const QWidget*>(receiver);
    if (target == nullptr || target->window() != this)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const int commandId = PictureContextMenu::commandForKey(*key);
    if (commandId == 0)
        return false;
    // Held down, the key runs its command once: Listen would flicker on and off.
    if (!key->isAutoRepeat())
        runPictureCommand(commandId, PictureWindow::mainDialog);
    return true;
}

bool MainDialog::filterMessage(QObject* receiver, QEvent* event)
{
    if (handleCommandKey(receiver, event))
        return true;
    const DialogKeyboard::Outcome outcome = keyboard_.handle(receiver, event);
    if (outcome.command == DialogKeyboard::Command::Ok)
        closeApplication(exitOk);
    else if (outcome.command == DialogKeyboard::Command::Cancel)
        closeApplication(exitCancel);
    return outcome.handled;
}

void MainDialog::runIdle()
{
    state_.applyControlStates();
    if (!openWhenShown_.empty()) {
        QMetaObject::invokeMethod(
            this, [this, file = std::exchange(openWhenShown_, {})] { openFile(file); }, Qt::QueuedConnection);
    }
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    offeredFile_ = acceptFileDrop(*event);
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event)
{
    offeredFile_ = acceptFileDrop(*event, offeredFile_);
}

void MainDialog::dragLeaveEvent(QDragLeaveEvent* event)
{
    offeredFile_.clear();
    QWidget::dragLeaveEvent(event);
}

void MainDialog::dropEvent(QDropEvent* event)
{
    const QString file = acceptFileDrop(*event, std::exchange(offeredFile_, {}));
    if (file.isEmpty())
        return;
    state_.setCurrentPath(nativePath(file));
    // Loaded once the drop has completed, so that a warning box does not hold the
    // file manager's drag until it is closed.
    QMetaObject::invokeMethod(this, &MainDialog::loadCurrentFile, Qt::QueuedConnection);
}

void MainDialog::closeEvent(QCloseEvent* event)
{
    // The close box is the Cancel command.
    event->ignore();
    closeApplication(exitCancel);
}

} // namespace hwd
