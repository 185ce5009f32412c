#include "MainDialog.h"

#include "AboutDialog.h"
#include "ApplicationIcon.h"
#include "DialogUnits.h"
#include "app/LoopRegistry.h"
#include "PathLabel.h"
#include "WaveTweakerDialog.h"
#include "WaveView.h"
#include "WindowCentring.h"
#include "app/WindowsNT.h"
#include "transfer/MidiSender.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

#include <array>
#include <thread>

namespace {

const QString sendId = QStringLiteral("IDC_SEND");
const QString reloadId = QStringLiteral("IDC_RELOAD");

enum class Kind { PushButton, View, GroupBox, Label, PathText, DropDownList };

// One control of dialog template 129, in dialog units.
struct TemplateControl {
    const char* id;
    Kind kind;
    const char* text;
    int x, y, width, height;
    bool startsGroup;
};

// Template order is also the tab order and the order of the keyboard groups.
constexpr std::array mainTemplate{
    TemplateControl{"IDCANCEL", Kind::PushButton, "Quit", 204, 44, 50, 14, true},
    TemplateControl{"ID_APP_ABOUT", Kind::PushButton, "About...", 204, 27, 50, 14, false},
    TemplateControl{"IDC_WAVE_VIEW", Kind::View, "", 18, 83, 168, 62, false},
    TemplateControl{"IDC_SEND", Kind::PushButton, "Send", 204, 10, 50, 14, false},
    TemplateControl{"IDC_STATIC", Kind::GroupBox, "MIDI Parameters", 7, 7, 190, 47, false},
    TemplateControl{"IDC_STATIC", Kind::Label, "Port", 18, 17, 14, 8, true},
    TemplateControl{"IDC_PORT", Kind::DropDownList, "", 18, 28, 134, 102, false},
    TemplateControl{"IDC_STATIC", Kind::Label, "Wave #", 156, 17, 27, 8, true},
    TemplateControl{"IDC_WAVE_NUMBER", Kind::DropDownList, "", 156, 28, 31, 102, false},
    TemplateControl{"IDC_STATIC", Kind::GroupBox, "Wave File", 7, 57, 190, 115, false},
    TemplateControl{"IDC_FILE_NAME", Kind::PathText, "** File Name **", 18, 70, 168, 9, true},
    TemplateControl{"IDC_RELOAD", Kind::PushButton, "Reload", 72, 150, 50, 14, false},
};

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
// no-drop cursor.
bool acceptFileDrop(QDropEvent& event)
{
    const Qt::DropActions possible = event.possibleActions();
    if (firstLocalFile(event.mimeData()).isEmpty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
        event.ignore();
        return false;
    }
    event.setDropAction(possible & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event.accept();
    return true;
}

} // namespace

MainDialog::MainDialog(MidiOutput& midi)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint),
      midi_(midi), wave_(currentWaveshape()), controlStates_{"IDC_SEND", "IDC_RELOAD"}, keyboard_(*this),
      messages_(*this)
{
    // Settled before the window is built, so every paint and double click sees it.
    if (platformIsWindowsNT())
        setWindowsNT(true);

    setObjectName(QStringLiteral("IDD_MAINDLG"));
    setWindowTitle(QString::fromLatin1(applicationCaption));
    setAcceptDrops(true);
    createControls();
    // The platform window, still hidden, so that the centring knows the frame.
    create();
    initialise();
}

MainDialog::~MainDialog() = default;

void MainDialog::createControls()
{
    const DialogUnits units(font());
    setFixedSize(units.size(261, 177));

    for (const TemplateControl& control : mainTemplate) {
        const QString text = QString::fromLatin1(control.text);
        const QRect rect = units.rect(control.x, control.y, control.width, control.height);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case Kind::PushButton: {
            auto* button = new QPushButton(text, this);
            // No button is the default one: Enter presses the focused button only.
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
        case Kind::View:
            widget = new WaveView(wave_, WaveView::MouseReports::Notify, this);
            break;
        case Kind::GroupBox:
            widget = new QGroupBox(text, this);
            // A frame only: clicks inside it reach the controls it surrounds.
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            break;
        case Kind::Label:
            widget = new QLabel(text, this);
            break;
        case Kind::PathText:
            widget = new PathLabel(text, this);
            break;
        case Kind::DropDownList: {
            auto* list = new QComboBox(this);
            list->setEditable(false);
            list->setInsertPolicy(QComboBox::NoInsert);
            // The template's height includes the opened list.
            const int fieldHeight = list->sizeHint().height();
            list->setMaxVisibleItems(std::max(1, (rect.height() - fieldHeight) / list->fontMetrics().height()));
            widget = list;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(control.id));
        if (control.kind == Kind::DropDownList)
            widget->setGeometry(rect.x(), rect.y(), rect.width(), widget->sizeHint().height());
        else
            widget->setGeometry(rect);
        keyboard_.addControl(*widget, control.startsGroup);
    }

    waveView_ = findChild<WaveView*>(QStringLiteral("IDC_WAVE_VIEW"));
    fileName_ = findChild<PathLabel*>(QStringLiteral("IDC_FILE_NAME"));
    connect(findChild<QPushButton*>(QStringLiteral("IDCANCEL")), &QPushButton::clicked, this,
            [this] { closeApplication(exitCancel); });
    connect(findChild<QPushButton*>(QStringLiteral("ID_APP_ABOUT")), &QPushButton::clicked, this,
            &MainDialog::showAbout);
    connect(findChild<QPushButton*>(sendId), &QPushButton::clicked, this, &MainDialog::send);
    connect(findChild<QPushButton*>(reloadId), &QPushButton::clicked, this, &MainDialog::loadCurrentFile);
}

void MainDialog::initialise()
{
    waveView_->setEditMode(false);
    connect(waveView_, &WaveView::doubleClicked, this, &MainDialog::openWaveTweaker);

    waveNumberList_ = findChild<QComboBox*>(QStringLiteral("IDC_WAVE_NUMBER"));
    portList_ = findChild<QComboBox*>(QStringLiteral("IDC_PORT"));
    waveNumberControl_ = std::make_unique<QtListControl>(*waveNumberList_);
    portControl_ = std::make_unique<QtListControl>(*portList_);

    // Recorded now, shown at the first idle pass after the window appears.
    setControlEnabled(sendId, false);
    setControlEnabled(reloadId, false);

    fileName_->setText(QStringLiteral("Drag/Drop WAV file from Explorer"));

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

    controlStates_.addContainer(*this);
    findChild<QPushButton*>(QStringLiteral("IDCANCEL"))->setFocus();
}

void MainDialog::loadCurrentFile()
{
    if (currentPath_.isEmpty())
        return;
    WaveFileLoader(wave_).load(QFile::encodeName(currentPath_).constData());
    waveView_->update();

    if (!wave_.loaded) {
        messages_.show(wave_.lastError, applicationCaption, MessageIcon::Warning);
        setControlEnabled(sendId, false);
        setControlEnabled(reloadId, false);
    } else {
        setControlEnabled(sendId, true);
        setControlEnabled(reloadId, true);
    }
    // After a failure the box shows the file that failed; Reload is off for it.
    fileName_->setText(currentPath_);
}

void MainDialog::setControlEnabled(const QString& id, bool enabled)
{
    controlStates_.setControlEnabled(id, enabled);
}

void MainDialog::applyControlStates()
{
    controlStates_.applyControlStates();
}

void MainDialog::closeApplication(int exitCode)
{
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
    if (!isWindowsNT() || !wave_.loaded)
        return;
    QWidget* owner = QApplication::activeWindow();
    WaveTweakerDialog dialog(wave_, owner != nullptr ? owner : this);
    dialog.exec();
    waveView_->update();
}

void MainDialog::showAbout()
{
    QWidget* owner = QApplication::activeWindow();
    AboutDialog dialog(owner != nullptr ? owner : this);
    dialog.exec();
}

bool MainDialog::filterMessage(QObject* receiver, QEvent* event)
{
    const DialogKeyboard::Outcome outcome = keyboard_.handle(receiver, event);
    if (outcome.command == DialogKeyboard::Command::Ok)
        closeApplication(exitOk);
    else if (outcome.command == DialogKeyboard::Command::Cancel)
        closeApplication(exitCancel);
    return outcome.handled;
}

void MainDialog::runIdle()
{
    applyControlStates();
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    acceptFileDrop(*event);
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event)
{
    acceptFileDrop(*event);
}

void MainDialog::dropEvent(QDropEvent* event)
{
    if (!acceptFileDrop(*event))
        return;
    currentPath_ = firstLocalFile(event->mimeData());
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
