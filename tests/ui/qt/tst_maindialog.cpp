// The main dialog's window as the user meets it: its template and place, what
// it shows at the start, the drags it takes and the names it passes on whole,
// and the whole program run through runApplication: the keys after a refused
// Reload and a minimised start (the exit codes are the session's, qt_session). The rules behind each control
// are the controller's, tested in tests/app; the routes are in tst_routes.

#include "tests/support/LoaderMessages.h"
#include "FileDrop.h"
#include "ModalWatcher.h"
#include "ScriptedMidiOutput.h"
#include "WavFixture.h"
#include "ScriptedPreviewOutput.h"
#include "app/MainDialogController.h"
#include "ui/qt/Application.h"
#include "ui/qt/FontUnits.h"
#include "app/LoopRegistry.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"
#include "ui/qt/PathLabel.h"
#include "ui/qt/WaveView.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

using namespace hwd;

namespace {

struct ShownBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
    bool sendEnabled = false;
};

MainDialog* shownMainDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<MainDialog*>(widget); dialog != nullptr && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// The current path as the file manager names the file.
QString shownPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

class TestMainDialog final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void templateControls_data();
    void templateControls();
    void initialState();
    void centredOnTheWorkArea();
    void dialogUnitsOfTheOffscreenFont();

    void dragWithoutLocalFileIsRefused_data();
    void dragWithoutLocalFileIsRefused();
    void dropOfferedAsAMoveIsTakenAsACopy();
    void nameOutsideAsciiLoadsAndShowsWhole();
    void longPathReachesTheLoaderWhole();
    void longPathLosesItsMiddleOnScreen();



    void keysAfterReloadRefusedTheFile_data();
    void keysAfterReloadRefusedTheFile();

    void startsMinimisedWhenAskedTo();

private:
    QPushButton* button(const char* id) const { return dialog_->findChild<QPushButton*>(QLatin1String(id)); }
    QComboBox* list(const char* id) const { return dialog_->findChild<QComboBox*>(QLatin1String(id)); }
    QString fileNameText() const { return dialog_->findChild<QLabel*>(QStringLiteral("IDC_FILE_NAME"))->text(); }
    QString fixture(const QString& name, const std::vector<std::int16_t>& samples) const
    {
        return WavFixture::writeIn(*files_, name, samples);
    }
    void drop(const QStringList& paths);
    std::unique_ptr<ModalWatcher> recordBoxes(std::vector<ShownBox>& boxes);

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<ScriptedMidiOutput> midi_;
    ScriptedPreviewOutput preview_;
    std::unique_ptr<MainDialogController> controller_;
    std::unique_ptr<MainDialog> dialog_;
};

void TestMainDialog::init()
{
    currentWaveshape() = Waveshape{};
    files_ = std::make_unique<QTemporaryDir>();
    midi_ = std::make_unique<ScriptedMidiOutput>();
    midi_->devices = {{"Harlix In", ScriptedMidiOutput::DeviceKind::HardwarePort},
                      {"Soft Synth", ScriptedMidiOutput::DeviceKind::Software},
                      {"USB MIDI 2", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    controller_ = std::make_unique<MainDialogController>(currentWaveshape(), DesktopServices{*midi_, preview_, {}});
    dialog_ = std::make_unique<MainDialog>(*controller_, currentWaveshape());
    dialog_->show();
}

void TestMainDialog::cleanup()
{
    dialog_.reset();
    controller_.reset();
    midi_.reset();
    files_.reset();
}

// A drop, and the load that follows it once the drop has completed.
void TestMainDialog::drop(const QStringList& paths)
{
    FileDrop::deliverAndLoad(*dialog_, paths);
}

std::unique_ptr<ModalWatcher> TestMainDialog::recordBoxes(std::vector<ShownBox>& boxes)
{
    return std::make_unique<ModalWatcher>([this, &boxes](QDialog& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        if (box == nullptr)
            return;
        boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->parentWidget(),
                         button("IDC_SEND")->isEnabled()});
        box->button(QMessageBox::Ok)->click();
    });
}

void TestMainDialog::templateControls_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("pixels");   // a height of 0: the list field's own

    // The template's dialog units at 7 x 14 pixels a base unit: x and y both
    // times 1.75, rounded.
    QTest::newRow("Quit") << "IDCANCEL" << "Quit" << QRect(357, 77, 88, 25);
    QTest::newRow("About") << "ID_APP_ABOUT" << "About..." << QRect(357, 47, 88, 25);
    QTest::newRow("view") << "IDC_WAVE_VIEW" << QString() << QRect(32, 145, 294, 109);
    QTest::newRow("Send") << "IDC_SEND" << "Send" << QRect(357, 18, 88, 25);
    QTest::newRow("port list") << "IDC_PORT" << QString() << QRect(32, 49, 235, 0);
    QTest::newRow("wave number list") << "IDC_WAVE_NUMBER" << QString() << QRect(273, 49, 54, 0);
    QTest::newRow("file name") << "IDC_FILE_NAME" << QString() << QRect(32, 123, 294, 16);
    QTest::newRow("Reload") << "IDC_RELOAD" << "Reload" << QRect(126, 263, 88, 25);
}

void TestMainDialog::templateControls()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QRect, pixels);

    auto* control = dialog_->findChild<QWidget*>(id);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), dialog_.get());
    QCOMPARE(control->pos(), pixels.topLeft());
    QCOMPARE(control->width(), pixels.width());
    if (pixels.height() != 0)
        QCOMPARE(control->height(), pixels.height());
    if (auto* push = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(push->text(), text);
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
        QCOMPARE(push->focusPolicy(), Qt::StrongFocus);
    }
}

void TestMainDialog::initialState()
{
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(dialog_->objectName(), QStringLiteral("IDD_MAINDLG"));
    QCOMPARE(dialog_->size(), QSize(457, 310));
    QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
    QVERIFY(dialog_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(dialog_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog_->acceptDrops());
    QVERIFY(!dialog_->windowIcon().isNull());
    QVERIFY(isWindowsNT());
    QVERIFY(controller_->currentPath().empty());

    // Template order: the children in creation order, which is also the tab order.
    QStringList names;
    QStringList groups;
    for (QWidget* next = dialog_->nextInFocusChain(); next != dialog_.get(); next = next->nextInFocusChain()) {
        if (next->parentWidget() == dialog_.get())
            names << next->objectName();
        if (const auto* group = qobject_cast<const QGroupBox*>(next))
            groups << group->title();
    }
    QCOMPARE(names, (QStringList{"IDCANCEL", "ID_APP_ABOUT", "IDC_WAVE_VIEW", "IDC_SEND", "IDC_STATIC", "IDC_STATIC",
                                 "IDC_PORT", "IDC_STATIC", "IDC_WAVE_NUMBER", "IDC_STATIC", "IDC_FILE_NAME",
                                 "IDC_RELOAD"}));
    QCOMPARE(groups, (QStringList{"MIDI Parameters", "Wave File"}));

    QCOMPARE(fileNameText(), QStringLiteral("Drag/Drop WAV file from Explorer"));
    QCOMPARE(dialog_->focusWidget(), button("IDCANCEL"));

    QComboBox* waveNumbers = list("IDC_WAVE_NUMBER");
    QCOMPARE(waveNumbers->count(), 32);
    QCOMPARE(waveNumbers->itemText(0), QStringLiteral("097"));
    QCOMPARE(waveNumbers->itemText(31), QStringLiteral("128"));
    QCOMPARE(waveNumbers->itemData(0).toInt(), 96);
    QCOMPARE(waveNumbers->itemData(31).toInt(), 127);
    QCOMPARE(waveNumbers->currentIndex(), 0);
    QVERIFY(!waveNumbers->isEditable());

    QComboBox* ports = list("IDC_PORT");
    QCOMPARE(ports->count(), 2);
    QCOMPARE(ports->itemText(0), QStringLiteral("Harlix In"));
    QCOMPARE(ports->itemText(1), QStringLiteral("USB MIDI 2"));
    QCOMPARE(ports->itemData(1).toInt(), 2);
    QCOMPARE(ports->currentIndex(), 0);

    // Recorded as disabled at once, applied at the first idle pass.
    QVERIFY(button("IDC_SEND")->isEnabled());
    QVERIFY(button("IDC_RELOAD")->isEnabled());
    dialog_->runIdle();
    QVERIFY(!button("IDC_SEND")->isEnabled());
    QVERIFY(!button("IDC_RELOAD")->isEnabled());
    QVERIFY(button("IDCANCEL")->isEnabled());
    QVERIFY(button("ID_APP_ABOUT")->isEnabled());
}

// The frame, 461 x 314 with the offscreen platform's two-pixel border, in the
// middle of its 800 x 800 work area.
void TestMainDialog::centredOnTheWorkArea()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    QCOMPARE(dialog_->frameGeometry(), QRect(170, 243, 461, 314));
}

// The offscreen platform's font, whose numbers the layout tests use: 385 pixels
// for the 52 letters and a line of 14.
void TestMainDialog::dialogUnitsOfTheOffscreenFont()
{
    const DialogUnits units = dialogUnitsOf(dialog_->font());
    QCOMPARE(units.baseWidth(), 7);
    QCOMPARE(units.baseHeight(), 14);
}

void TestMainDialog::dragWithoutLocalFileIsRefused_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("local file") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/x.wav"))} << QString()
                                << true;
    QTest::newRow("web address") << QList<QUrl>{QUrl(QStringLiteral("https://example.org/x.wav"))} << QString()
                                 << false;
    QTest::newRow("plain text") << QList<QUrl>{} << QStringLiteral("/tmp/x.wav") << false;
    QTest::newRow("web address, then a file")
        << QList<QUrl>{QUrl(QStringLiteral("https://example.org/x.wav")), QUrl::fromLocalFile("/tmp/y.wav")}
        << QString() << true;
}

void TestMainDialog::dragWithoutLocalFileIsRefused()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(dialog_.get(), &enter);
    QCOMPARE(enter.isAccepted(), accepted);
}

// Shift held in the file manager offers a move; taking it would let the file
// manager delete the file, so the drop is taken as a copy.
void TestMainDialog::dropOfferedAsAMoveIsTakenAsACopy()
{
    const QString path = fixture(QStringLiteral("offered-as-move.wav"), WavFixture::cycle(128));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre(dialog_->width() / 2, dialog_->height() / 2);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;

    QDragEnterEvent enter(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(enter.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(dialog_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);

    QDragMoveEvent move(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(dialog_.get(), &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(move.dropAction(), Qt::CopyAction);

    QDropEvent drop(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(dialog_.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QCoreApplication::sendPostedEvents(dialog_.get(), QEvent::MetaCall);
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(shownPath(controller_->currentPath()), path);
}

// The loader opens the name's own bytes (UTF-8 here) and the box shows the
// name as the file manager does.
void TestMainDialog::nameOutsideAsciiLoadsAndShowsWhole()
{
    const QString path = fixture(QStringLiteral("Gr\u00fc\u00dfe-\u6ce2\u5f62.wav"), WavFixture::ramp(128, -640, 10));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});

    QVERIFY(boxes.empty());
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(currentWaveshape().samples[0], std::int16_t(-640));
    const QByteArray bytes = path.toUtf8();
    QCOMPARE(controller_->currentPath().native(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QVERIFY(controller_->currentPath().native().ends_with("Gr\xc3\xbc\xc3\x9f" "e-\xe6\xb3\xa2\xe5\xbd\xa2.wav"));
    QCOMPARE(fileNameText(), path);
}

// The path is not cut: a file that lies deeper than 256 characters loads.
void TestMainDialog::longPathReachesTheLoaderWhole()
{
    QString folder = files_->path();
    while (folder.size() < 300)
        folder += QStringLiteral("/a-folder-with-a-long-name-to-make-the-path-longer");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/deep.wav");
    QVERIFY(WavFixture::write(path, WavFixture::cycle(128)));
    QVERIFY(path.size() > 300);

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});
    QVERIFY(boxes.empty());
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(shownPath(controller_->currentPath()), path);
    QCOMPARE(fileNameText(), path);
}

void TestMainDialog::longPathLosesItsMiddleOnScreen()
{
    QString folder = files_->path();
    while (folder.size() < 200)
        folder += QStringLiteral("/another-folder");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/my-waveshape.wav");
    QVERIFY(WavFixture::write(path, WavFixture::cycle(128)));
    drop({path});

    auto* label = dialog_->findChild<PathLabel*>(QStringLiteral("IDC_FILE_NAME"));
    const QString shown = label->displayedText();
    QVERIFY2(shown.endsWith(QStringLiteral("/my-waveshape.wav")), qPrintable(shown));
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    QVERIFY(shown.startsWith(files_->path().left(4)));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
}

void TestMainDialog::keysAfterReloadRefusedTheFile_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("seenAfterTheKey");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("Space presses nothing") << int(Qt::Key_Space) << QStringList{"focus IDD_MAINDLG"} << 2;
    QTest::newRow("Tab goes to Quit") << int(Qt::Key_Tab) << QStringList{"focus IDCANCEL"} << 2;
    QTest::newRow("Esc ends with 2") << int(Qt::Key_Escape) << QStringList{} << 2;
    QTest::newRow("Enter ends with 1") << int(Qt::Key_Return) << QStringList{} << 1;
}

// Reload has the focus when the file it reads again is refused; the idle pass
// disables it. The focus then stays on no control, with the dialog itself, so
// the keys that follow act as they do with no control focused. Driven through
// the whole program, from an idle task of its own after the dialog's.
void TestMainDialog::keysAfterReloadRefusedTheFile()
{
    QFETCH(int, key);
    QFETCH(QStringList, seenAfterTheKey);
    QFETCH(int, exitCode);
    dialog_.reset();
    const QString path = fixture(QStringLiteral("reloaded.wav"), WavFixture::cycle(128));

    auto press = [](QWidget& window, int pressed) {
        QCoreApplication::postEvent(window.windowHandle(), new QKeyEvent(QEvent::KeyPress, pressed, Qt::NoModifier));
        QCoreApplication::postEvent(window.windowHandle(), new QKeyEvent(QEvent::KeyRelease, pressed, Qt::NoModifier));
    };
    auto focusName = [](const MainDialog& dialog) {
        return QStringLiteral("focus ") + (dialog.focusWidget() != nullptr ? dialog.focusWidget()->objectName()
                                                                           : QStringLiteral("none"));
    };
    enum class Stage { Drop, Reload, Key, After, Done } stage = Stage::Drop;
    QStringList seen;
    struct Probe final : IdleTask {
        std::function<void()> step;
        void runIdle() override { step(); }
    } probe;
    probe.step = [&] {
        MainDialog* dialog = shownMainDialog();
        if (dialog == nullptr)
            return;
        auto* reload = dialog->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"));
        switch (stage) {
        case Stage::Drop:
            FileDrop::deliver(*dialog, {path});
            stage = Stage::Reload;
            break;
        case Stage::Reload:
            if (!reload->isEnabled())
                return;
            QVERIFY(WavFixture::writeText(path));
            reload->setFocus();
            press(*dialog, Qt::Key_Space);
            stage = Stage::Key;
            break;
        case Stage::Key:
            if (reload->isEnabled())
                return;
            seen << focusName(*dialog);
            press(*dialog, key);
            stage = Stage::After;
            break;
        case Stage::After:
            seen << focusName(*dialog);
            press(*dialog, Qt::Key_Escape);
            stage = Stage::Done;
            break;
        case Stage::Done:
            break;
        }
    };
    std::vector<ShownBox> boxes;
    ModalWatcher watcher([&](QDialog& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->parentWidget(),
                             false});
            box->button(QMessageBox::Ok)->click();
        }
    });
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState), exitCode);
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::notWav));
    QCOMPARE(seen, QStringList{"focus IDD_MAINDLG"} + seenAfterTheKey);
}

void TestMainDialog::startsMinimisedWhenAskedTo()
{
    dialog_.reset();
    bool minimised = false;
    QTimer::singleShot(0, this, [&] {
        if (MainDialog* dialog = shownMainDialog()) {
            minimised = dialog->isMinimized();
            dialog->close();
        }
    });
    QCOMPARE(runApplication(*midi_, Qt::WindowMinimized), 2);
    QVERIFY(minimised);
}

QTEST_MAIN(TestMainDialog)
#include "tst_maindialog.moc"
