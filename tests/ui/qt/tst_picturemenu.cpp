// What a right click and the Ctrl keys offer in both windows: the pictures'
// menus with their entries, shortcuts and states, the keys from whatever
// control has the focus, the pen staying the left button, the main picture's
// tooltip, and Listen on a fake audio output, stopped when the program ends.

#include "ModalWatcher.h"
#include "RunningProgram.h"
#include "ScriptedFileChooser.h"
#include "ScriptedMidiOutput.h"
#include "ScriptedPreviewOutput.h"
#include "WavFixture.h"
#include "app/LoopRegistry.h"
#include "app/WindowsNT.h"
#include "ui/qt/Application.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "wave/Waveshape.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <thread>

using namespace hwd;
using RunningProgram::becomesActive;
using RunningProgram::shownMainDialog;

namespace {

// One line per entry: label, the shortcut it shows, enabled or not, and its
// check state when it has one.
QStringList entriesOf(const QMenu& menu)
{
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        QString line = action->text() + QStringLiteral(" | ") + action->shortcut().toString(QKeySequence::PortableText);
        if (!action->isShortcutVisibleInContextMenu())
            line += QStringLiteral(" (hidden)");
        line += action->isEnabled() ? QStringLiteral(" | on") : QStringLiteral(" | off");
        if (action->isCheckable())
            line += action->isChecked() ? QStringLiteral(" | checked") : QStringLiteral(" | unchecked");
        entries << line;
    }
    return entries;
}

const QStringList tweakerButtons{"IDOK",     "IDC_FILTER", "IDC_NORMALIZE", "IDC_ADDITIVE",
                                 "IDC_UNDO", "IDC_CLEAR",  "IDC_RANDOM_PD"};

// The Wave Tweaker just shown, once it is the active window so that keys reach
// it; null for any other dialog. A Tweaker that never becomes active is ended,
// so that the test's comparisons fail rather than wait.
WaveTweakerDialog* activeTweaker(QDialog& shown)
{
    auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
    if (tweaker == nullptr)
        return nullptr;
    if (!becomesActive(*tweaker)) {
        tweaker->done(0);
        return nullptr;
    }
    return tweaker;
}

} // namespace

class TestPictureMenu final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mainPictureMenu_data();
    void mainPictureMenu();
    void waveTweakerPictureMenu_data();
    void waveTweakerPictureMenu();
    void pickingFromTheMenu_data();
    void pickingFromTheMenu();
    void rightClickNeverDraws();
    void rightClickBesideTheTweakerPictureOpensNoMenu();
    void mainPictureToolTip();

    void mainDialogKeys_data();
    void mainDialogKeys();
    void waveTweakerKeys_data();
    void waveTweakerKeys();

    void listenStartsAndStops();
    void listenFailureShowsTheReason();
    void waveTweakerListensOnTheSamePreview();
    void programEndStopsThePreview();

private:
    WaveView* mainView() const { return dialog_->findChild<WaveView*>(QStringLiteral("IDC_WAVE_VIEW")); }
    void load();
    bool pressFor(QWidget* control, int key, Qt::KeyboardModifiers modifiers);
    QString effects() const;
    // Right-clicks the picture through the window, as the mouse does.
    static void rightClick(QWidget& window, const WaveView& view, QPoint inView);

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<ScriptedMidiOutput> midi_;
    std::unique_ptr<ScriptedPreviewOutput> preview_;
    std::unique_ptr<ScriptedFileChooser> chooser_;
    std::unique_ptr<MainDialog> dialog_;
};

// As on a desktop whose preference hides shortcuts in context menus: the
// pictures' menus show theirs all the same, since the menu is where they are
// learnt.
void TestPictureMenu::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus, true);
}

void TestPictureMenu::init()
{
    currentWaveshape() = Waveshape{};
    setWindowsNT(true);
    files_ = std::make_unique<QTemporaryDir>();
    midi_ = std::make_unique<ScriptedMidiOutput>();
    midi_->devices = {{"Harlix In", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    preview_ = std::make_unique<ScriptedPreviewOutput>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    dialog_ = std::make_unique<MainDialog>(*midi_, preview_.get());
    dialog_->setFileChooser(*chooser_);
    dialog_->show();
    QVERIFY(becomesActive(*dialog_));
}

void TestPictureMenu::cleanup()
{
    dialog_.reset();
    chooser_.reset();
    preview_.reset();
    midi_.reset();
    files_.reset();
}

void TestPictureMenu::load()
{
    const QString path = files_->filePath(QStringLiteral("menu.wav"));
    QVERIFY(WavFixture::write(path, WavFixture::cycle(128)));
    dialog_->openFile(path.toStdString());
    QVERIFY(currentWaveshape().loaded);
    dialog_->runIdle();
}

bool TestPictureMenu::pressFor(QWidget* control, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    return dialog_->filterMessage(control, &press);
}

QString TestPictureMenu::effects() const
{
    QStringList seen;
    if (chooser_->opensAsked != 0)
        seen << QStringLiteral("open %1").arg(chooser_->opensAsked);
    if (!chooser_->saveSuggestions.empty())
        seen << QStringLiteral("save %1").arg(chooser_->saveSuggestions.size());
    if (preview_->starts() != 0)
        seen << QStringLiteral("listen %1").arg(preview_->starts());
    return seen.join(QStringLiteral(", "));
}

void TestPictureMenu::rightClick(QWidget& window, const WaveView& view, QPoint inView)
{
    const QPoint point = view.mapTo(&window, inView);
    QTest::mousePress(window.windowHandle(), Qt::RightButton, {}, point);
    QTest::mouseRelease(window.windowHandle(), Qt::RightButton, {}, point);
}

void TestPictureMenu::mainPictureMenu_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("nothing loaded") << false << false
                                    << QStringList{QStringLiteral("&Open\u2026 | Ctrl+O | on"),
                                                   QStringLiteral("&Save Wave As\u2026 | Ctrl+S | off"),
                                                   QStringLiteral("&Listen | Ctrl+L | on | unchecked")};
    QTest::newRow("loaded") << true << false
                            << QStringList{QStringLiteral("&Open\u2026 | Ctrl+O | on"),
                                           QStringLiteral("&Save Wave As\u2026 | Ctrl+S | on"),
                                           QStringLiteral("&Listen | Ctrl+L | on | unchecked")};
    QTest::newRow("listening") << true << true
                               << QStringList{QStringLiteral("&Open\u2026 | Ctrl+O | on"),
                                              QStringLiteral("&Save Wave As\u2026 | Ctrl+S | on"),
                                              QStringLiteral("&Listen | Ctrl+L | on | checked")};
}

void TestPictureMenu::mainPictureMenu()
{
    QFETCH(bool, loaded);
    QFETCH(bool, listening);
    QFETCH(QStringList, entries);
    if (loaded)
        load();
    if (listening)
        QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));
    QCOMPARE(dialog_->listening(), listening);

    QStringList seen;
    MenuWatcher watcher([&](QMenu& menu) {
        seen = entriesOf(menu);
        menu.close();
    });
    rightClick(*dialog_, *mainView(), QPoint(40, 30));

    QCOMPARE(watcher.shown(), 1);
    QCOMPARE(seen, entries);
    QCOMPARE(effects(), listening ? QStringLiteral("listen 1") : QString());
}

void TestPictureMenu::waveTweakerPictureMenu_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("quiet") << false
                           << QStringList{QStringLiteral("&Open\u2026 | Ctrl+O | off"),
                                          QStringLiteral("&Save Wave As\u2026 | Ctrl+S | on"),
                                          QStringLiteral("&Listen | Ctrl+L | on | unchecked")};
    QTest::newRow("listening") << true
                               << QStringList{QStringLiteral("&Open\u2026 | Ctrl+O | off"),
                                              QStringLiteral("&Save Wave As\u2026 | Ctrl+S | on"),
                                              QStringLiteral("&Listen | Ctrl+L | on | checked")};
}

void TestPictureMenu::waveTweakerPictureMenu()
{
    QFETCH(bool, listening);
    QFETCH(QStringList, entries);
    load();
    if (listening)
        QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));

    QStringList seen;
    MenuWatcher menus([&](QMenu& menu) {
        seen = entriesOf(menu);
        menu.close();
    });
    int menusWhileOpen = -1;
    ModalWatcher tweakers([&](QDialog& shown) {
        auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
        if (tweaker == nullptr)
            return;
        rightClick(*tweaker, *tweaker->view(), QPoint(200, 100));
        menusWhileOpen = menus.shown();
        tweaker->reject();
    });
    dialog_->openWaveTweaker();

    QCOMPARE(menusWhileOpen, 1);
    QCOMPARE(seen, entries);
}

void TestPictureMenu::pickingFromTheMenu_data()
{
    QTest::addColumn<bool>("inTweaker");
    QTest::addColumn<int>("accessKey");
    QTest::addColumn<QString>("effects");

    QTest::newRow("Open, main picture") << false << int(Qt::Key_O) << "open 1";
    QTest::newRow("Save Wave As, main picture") << false << int(Qt::Key_S) << "save 1";
    QTest::newRow("Listen, main picture") << false << int(Qt::Key_L) << "listen 1";
    QTest::newRow("Open is off in the Tweaker") << true << int(Qt::Key_O) << "";
    QTest::newRow("Save Wave As, Tweaker picture") << true << int(Qt::Key_S) << "save 1";
    QTest::newRow("Listen, Tweaker picture") << true << int(Qt::Key_L) << "listen 1";
    QTest::newRow("Ctrl+S while the menu is open") << false << (Qt::CTRL | Qt::Key_S).toCombined() << "save 1";
    QTest::newRow("Ctrl+L while the Tweaker's menu is open") << true << (Qt::CTRL | Qt::Key_L).toCombined() << "listen 1";
}

// The entry is picked by its access key or its shortcut; the command runs once
// the menu has closed.
void TestPictureMenu::pickingFromTheMenu()
{
    QFETCH(bool, inTweaker);
    QFETCH(int, accessKey);
    QFETCH(QString, effects);
    load();

    bool menuStillOpen = false;
    MenuWatcher menus([&](QMenu& menu) {
        const QKeyCombination combination = QKeyCombination::fromCombined(accessKey);
        QTest::keyClick(&menu, combination.key(), combination.keyboardModifiers());
        menuStillOpen = menu.isVisible();
        // A disabled entry is not picked: the menu stays until closed.
        if (menuStillOpen)
            menu.close();
    });
    if (inTweaker) {
        ModalWatcher tweakers([&](QDialog& shown) {
            if (auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown)) {
                rightClick(*tweaker, *tweaker->view(), QPoint(300, 300));
                tweaker->reject();
            }
        });
        dialog_->openWaveTweaker();
    } else {
        rightClick(*dialog_, *mainView(), QPoint(100, 50));
    }

    QCOMPARE(menus.shown(), 1);
    QCOMPARE(menuStillOpen, effects.isEmpty());
    QCOMPARE(this->effects(), effects);
}

// The pen is the left button alone: a right press does not turn edit mode on,
// and once it is on, a right press and a drag with the right button held write
// no sample. In the main picture a right double click opens no Tweaker.
void TestPictureMenu::rightClickNeverDraws()
{
    load();
    const SampleArray before = currentWaveshape().samples;
    MenuWatcher menus([](QMenu& menu) { menu.close(); });

    int tweakersOpened = 0;
    bool editModeAfterRightPress = true;
    bool editModeAfterLeftPress = false;
    SampleArray drawn{};
    SampleArray afterRightDrag{};
    ModalWatcher tweakers([&](QDialog& shown) {
        auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
        if (tweaker == nullptr)
            return;
        ++tweakersOpened;
        WaveView& view = *tweaker->view();
        rightClick(*tweaker, view, QPoint(100, 40));
        editModeAfterRightPress = view.editMode();

        // Edit mode on, with a left press on the picture.
        const QPoint left = view.mapTo(tweaker, QPoint(10, 10));
        QTest::mousePress(tweaker->windowHandle(), Qt::LeftButton, {}, left);
        QTest::mouseRelease(tweaker->windowHandle(), Qt::LeftButton, {}, left);
        editModeAfterLeftPress = view.editMode();
        // The left press drew one sample; what the right button does is measured from here.
        drawn = currentWaveshape().samples;

        const QPoint from = view.mapTo(tweaker, QPoint(150, 20));
        QTest::mousePress(tweaker->windowHandle(), Qt::RightButton, {}, from);
        for (int step = 1; step <= 20; ++step) {
            const QPoint point = from + QPoint(step * 5, step * 8);
            QMouseEvent move(QEvent::MouseMove, point, tweaker->mapToGlobal(point), Qt::NoButton, Qt::RightButton,
                             Qt::NoModifier);
            QApplication::sendEvent(tweaker, &move);
        }
        QTest::mouseRelease(tweaker->windowHandle(), Qt::RightButton, {}, from + QPoint(100, 160));
        afterRightDrag = currentWaveshape().samples;
        tweaker->reject();
    });
    dialog_->openWaveTweaker();
    QCOMPARE(tweakersOpened, 1);
    QVERIFY(!editModeAfterRightPress);
    QVERIFY(editModeAfterLeftPress);
    QVERIFY(drawn != before);
    QCOMPARE(afterRightDrag, drawn);
    QCOMPARE(menus.shown(), 2);

    // The main picture: a right double click is no double click.
    currentWaveshape().samples = before;
    const QPoint centre = mainView()->mapTo(dialog_.get(), mainView()->rect().center());
    QTest::mouseDClick(dialog_->windowHandle(), Qt::RightButton, {}, centre);
    QCOMPARE(tweakersOpened, 1);
    QCOMPARE(currentWaveshape().samples, before);
}

void TestPictureMenu::rightClickBesideTheTweakerPictureOpensNoMenu()
{
    load();
    MenuWatcher menus([](QMenu& menu) { menu.close(); });
    ModalWatcher tweakers([&](QDialog& shown) {
        auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
        if (tweaker == nullptr)
            return;
        // Just right of the picture's sunken edge, and on a button.
        const QRect view = tweaker->view()->geometry();
        const QPoint beside(view.right() + 3, view.center().y());
        QTest::mousePress(tweaker->windowHandle(), Qt::RightButton, {}, beside);
        QTest::mouseRelease(tweaker->windowHandle(), Qt::RightButton, {}, beside);
        auto* filter = tweaker->findChild<QPushButton*>(QStringLiteral("IDC_FILTER"));
        QTest::mouseClick(filter, Qt::RightButton);
        tweaker->reject();
    });
    dialog_->openWaveTweaker();
    QCOMPARE(menus.shown(), 0);
}

void TestPictureMenu::mainPictureToolTip()
{
    const QString expected =
        QStringLiteral("Double-click to edit the wave. Right-click for Open, Save Wave As and Listen.");
    WaveView* view = mainView();
    QCOMPARE(view->toolTip(), expected);

    // The pointer at rest over the picture shows it.
    const QPoint inside = view->rect().center();
    QHelpEvent help(QEvent::ToolTip, inside, view->mapToGlobal(inside));
    QApplication::sendEvent(view, &help);
    QCOMPARE(QToolTip::text(), expected);
    QToolTip::hideText();

    // The Wave Tweaker's picture has none.
    load();
    QString tweakerTip = QStringLiteral("not looked at");
    ModalWatcher tweakers([&](QDialog& shown) {
        if (auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown)) {
            tweakerTip = tweaker->view()->toolTip();
            tweaker->reject();
        }
    });
    dialog_->openWaveTweaker();
    QCOMPARE(tweakerTip, QString());
}

void TestPictureMenu::mainDialogKeys_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QString>("effects");

    const int ctrl = Qt::ControlModifier;
    const QStringList controls{"IDCANCEL", "ID_APP_ABOUT", "IDC_SEND",   "IDC_PORT",
                               "IDC_WAVE_NUMBER", "IDC_RELOAD", "IDD_MAINDLG"};
    for (const QString& control : controls) {
        QTest::addRow("Ctrl+O on %s", qPrintable(control)) << control << int(Qt::Key_O) << ctrl << true << true
                                                           << "open 1";
        QTest::addRow("Ctrl+S on %s", qPrintable(control)) << control << int(Qt::Key_S) << ctrl << true << true
                                                           << "save 1";
        QTest::addRow("Ctrl+L on %s", qPrintable(control)) << control << int(Qt::Key_L) << ctrl << true << true
                                                           << "listen 1";
    }
    QTest::newRow("Ctrl+S with nothing loaded") << "IDCANCEL" << int(Qt::Key_S) << ctrl << false << true << "";
    QTest::newRow("Ctrl+O with nothing loaded") << "IDCANCEL" << int(Qt::Key_O) << ctrl << false << true << "open 1";
    QTest::newRow("L alone") << "IDCANCEL" << int(Qt::Key_L) << int(Qt::NoModifier) << true << false << "";
    QTest::newRow("Ctrl+Shift+S") << "IDCANCEL" << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                  << true << false << "";
    QTest::newRow("Ctrl+Alt+L") << "IDCANCEL" << int(Qt::Key_L) << int(Qt::ControlModifier | Qt::AltModifier)
                                << true << false << "";
    QTest::newRow("Ctrl+P") << "IDCANCEL" << int(Qt::Key_P) << ctrl << true << false << "";
    QTest::newRow("Ctrl+L held down") << "IDCANCEL" << int(Qt::Key_L) << ctrl << true << true << "listen 1";
}

// The filter, as the loop offers it a key press for the focused control.
void TestPictureMenu::mainDialogKeys()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, loaded);
    QFETCH(bool, handled);
    QFETCH(QString, effects);
    if (loaded)
        load();
    QWidget* control = from == dialog_->objectName() ? dialog_.get() : dialog_->findChild<QWidget*>(from);
    control->setFocus();
    QCOMPARE(dialog_->focusWidget(), control);

    QCOMPARE(pressFor(control, key, Qt::KeyboardModifiers(modifiers)), handled);
    if (QByteArray(QTest::currentDataTag()).endsWith("held down")) {
        // The keyboard's repeats of the key held down run nothing more.
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent again(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), true);
            QVERIFY(dialog_->filterMessage(control, &again));
        }
    }
    QCOMPARE(this->effects(), effects);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->focusWidget(), control);
}

void TestPictureMenu::waveTweakerKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effects");

    QTest::newRow("Ctrl+O does nothing") << int(Qt::Key_O) << "";
    QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << "save 7";
    QTest::newRow("Ctrl+L listens") << int(Qt::Key_L) << "listen 4";
}

// In the Tweaker's own loop, from each of its buttons in turn; Esc still ends
// it with 2 afterwards.
void TestPictureMenu::waveTweakerKeys()
{
    QFETCH(int, key);
    QFETCH(QString, effects);
    load();

    QStringList focused;
    ModalWatcher tweakers([&](QDialog& shown) {
        WaveTweakerDialog* tweaker = activeTweaker(shown);
        if (tweaker == nullptr)
            return;
        for (const QString& name : tweakerButtons) {
            auto* button = tweaker->findChild<QPushButton*>(name);
            button->setFocus();
            QTest::keyClick(button, static_cast<Qt::Key>(key), Qt::ControlModifier);
            focused << QApplication::focusWidget()->objectName();
            if (name == tweakerButtons.last()) {
                // The last one held down: its repeats run nothing more.
                for (int repeat = 0; repeat < 3; ++repeat)
                    QTest::simulateEvent(button, true, key, Qt::ControlModifier, QString(), true);
            }
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        // Ended here when Esc did not end it, so that the comparison below fails.
        if (tweaker->isVisible())
            tweaker->done(0);
    });
    WaveTweakerDialog tweaker(currentWaveshape(), dialog_.get(), dialog_.get());
    const SampleArray before = currentWaveshape().samples;
    QCOMPARE(tweaker.exec(), 2);

    QCOMPARE(focused, tweakerButtons);
    QCOMPARE(this->effects(), effects);
    // No button was pressed by the keys.
    QCOMPARE(currentWaveshape().samples, before);
}

void TestPictureMenu::listenStartsAndStops()
{
    load();
    QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));
    QCOMPARE(preview_->starts(), 1);
    QVERIFY(preview_->playing());
    QVERIFY(dialog_->listening());
    QVERIFY(preview_->source != nullptr);

    QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));
    QCOMPARE(preview_->starts(), 1);
    QCOMPARE(preview_->stops(), 1);
    QVERIFY(!dialog_->listening());

    // Without a wave it plays silence, but it plays.
    currentWaveshape() = Waveshape{};
    QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));
    QVERIFY(dialog_->listening());
}

void TestPictureMenu::listenFailureShowsTheReason()
{
    preview_->refusal = "Device or resource busy";
    QStringList boxes;
    ModalWatcher watcher([&](QDialog& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            boxes << box->text() << box->windowTitle()
                  << (box->icon() == QMessageBox::Warning ? QStringLiteral("warning") : QStringLiteral("other"));
            box->button(QMessageBox::Ok)->click();
        }
    });
    QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));

    QCOMPARE(boxes, (QStringList{QStringLiteral("Failed to open the audio output. Device or resource busy"),
                                 QStringLiteral("Harlix Wave Dump"), QStringLiteral("warning")}));
    QVERIFY(!dialog_->listening());
}

// One preview for the program: the Tweaker stops what the main dialog started,
// and what it plays follows the Tweaker's edits.
void TestPictureMenu::waveTweakerListensOnTheSamePreview()
{
    load();
    QVERIFY(pressFor(dialog_.get(), Qt::Key_L, Qt::ControlModifier));
    QVERIFY(preview_->source != nullptr);
    std::array<std::int16_t, 256> frames{};
    preview_->source->fill(frames);
    QVERIFY(std::any_of(frames.begin(), frames.end(), [](std::int16_t frame) { return frame != 0; }));

    bool silentAfterClear = false;
    bool listeningAfterKey = true;
    ModalWatcher tweakers([&](QDialog& shown) {
        WaveTweakerDialog* tweaker = activeTweaker(shown);
        if (tweaker == nullptr)
            return;
        auto* clear = tweaker->findChild<QPushButton*>(QStringLiteral("IDC_CLEAR"));
        QTest::mouseClick(clear, Qt::LeftButton);
        preview_->source->fill(frames);
        silentAfterClear = std::all_of(frames.begin(), frames.end(), [](std::int16_t frame) { return frame == 0; });
        QTest::keyClick(clear, Qt::Key_L, Qt::ControlModifier);
        listeningAfterKey = dialog_->listening();
        tweaker->reject();
    });
    dialog_->openWaveTweaker();

    QVERIFY(silentAfterClear);
    QVERIFY(!listeningAfterKey);
    QCOMPARE(preview_->starts(), 1);
}

// Through the whole program: Ctrl+L from the loop, then Esc. The preview stops
// while the window is still there, before the loop ends.
void TestPictureMenu::programEndStopsThePreview()
{
    dialog_.reset();
    QStringList seen;
    preview_->onStop = [&] { seen << (shownMainDialog() != nullptr ? QStringLiteral("stopped, window shown")
                                                                    : QStringLiteral("stopped, window gone")); };
    RunningProgram::IdleProbe probe;
    probe.step = [&](int pass) {
        MainDialog* dialog = shownMainDialog();
        if (dialog == nullptr)
            return;
        QWindow* window = dialog->windowHandle();
        if (pass == 1) {
            QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_L, Qt::ControlModifier));
            QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyRelease, Qt::Key_L, Qt::ControlModifier));
        } else if (pass == 2) {
            seen << (dialog->listening() ? QStringLiteral("listening") : QStringLiteral("quiet"));
            QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        } else if (pass == 5) {
            // Esc did not end the program: ending it here lets the comparisons fail.
            dialog->closeApplication(MainDialog::exitOk);
        }
    };
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState, {}, preview_.get()), 2);
    QCOMPARE(seen, (QStringList{QStringLiteral("listening"), QStringLiteral("stopped, window shown")}));
    QVERIFY(!preview_->playing());
}

QTEST_MAIN(TestPictureMenu)
#include "tst_picturemenu.moc"
