// The Qt program's routes: each native event of its dialogs and the
// controller call it becomes, one row each, against a controller that only
// writes its calls down. What a call then does is the controllers' own
// business, tested in tests/app.

#include "FileDrop.h"
#include "ModalWatcher.h"
#include "RecordingController.h"
#include "app/ResourceIds.h"
#include "ui/qt/BankDialog.h"
#include "ui/qt/ImportCycleDialog.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/PictureView.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "wave/Waveshape.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <functional>
#include <vector>

using namespace hwd;

namespace {

struct Route {
    const char* name;
    std::function<void(QWidget& dialog)> act;
    QStringList calls;
};

template <class Widget = QWidget>
Widget& child(QWidget& dialog, const char* name)
{
    auto* found = dialog.findChild<Widget*>(QLatin1String(name));
    Q_ASSERT(found != nullptr);
    return *found;
}

// A key as the message loop's filter sees it before any widget does.
std::function<void(QWidget&)> filtered(const char* to, int key, Qt::KeyboardModifiers modifiers = {},
                                       bool repeat = false)
{
    return [=](QWidget& dialog) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), repeat);
        QObject& target = *to == '\0' ? static_cast<QObject&>(dialog) : child(dialog, to);
        (void)static_cast<MainDialog&>(dialog).filterMessage(&target, &press);
    };
}

// A key that the Tweaker's own loop delivers to one of its controls.
std::function<void(QWidget&)> typed(const char* to, int key, Qt::KeyboardModifiers modifiers = {})
{
    return [=](QWidget& dialog) { QTest::keyClick(&child(dialog, to), static_cast<Qt::Key>(key), modifiers); };
}

std::function<void(QWidget&)> clicked(const char* button)
{
    return [=](QWidget& dialog) { QTest::mouseClick(&child(dialog, button), Qt::LeftButton); };
}

void drop(QWidget& dialog, const QList<QUrl>& urls)
{
    FileDrop::deliverUrls(dialog, urls);
    QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall);
}

// A right click at a point of the widget, as Qt reports it.
void rightClick(QWidget& widget, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
}

QString pointOf(QPoint global)
{
    return QStringLiteral("menu at %1,%2").arg(global.x()).arg(global.y());
}

QStringList taken(RecordingController& controller)
{
    QStringList calls;
    for (const std::string& call : controller.take())
        calls << QString::fromStdString(call);
    return calls;
}

void holdAgainstTable(QWidget& dialog, RecordingController& controller, const std::vector<Route>& routes)
{
    for (const Route& route : routes) {
        controller.take();
        route.act(dialog);
        const QStringList seen = taken(controller);
        QVERIFY2(seen == route.calls, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(route.name),
                                                                               seen.join(QStringLiteral(" | ")))));
    }
}

} // namespace

class TestRoutes final : public QObject {
    Q_OBJECT

private slots:
    void mainDialog();
    void waveTweaker();
    void importCycle();
    void importCyclePicturesPaintTheDrawing();
    void bankWindow();
};

void TestRoutes::mainDialog()
{
    Waveshape wave;
    RecordingController controller;
    MainDialog dialog(controller, wave);
    QCOMPARE(taken(controller), QStringList{"initialise"});
    QCOMPARE(controller.window, static_cast<DialogControls*>(&dialog));
    dialog.show();
    auto& ports = child<QComboBox>(dialog, "IDC_PORT");
    ports.addItem(QStringLiteral("Harlix In"));
    WaveView& view = dialog.waveView();
    const QPoint inView(20, 30);

    holdAgainstTable(dialog, controller, {
        {"Send's click", clicked("IDC_SEND"), {"command 1000 clicked"}},
        {"Reload's click", clicked("IDC_RELOAD"), {"command 1006 clicked"}},
        {"About's click", clicked("ID_APP_ABOUT"), {"command 57664 clicked"}},
        {"Quit's click", clicked("IDCANCEL"), {"command 2 clicked"}},
        {"double click on the picture", [&](QWidget&) { QTest::mouseDClick(&view, Qt::LeftButton); },
         {"command 1004 double clicked"}},
        {"right click on the picture", [&](QWidget&) { rightClick(view, inView); },
         {pointOf(view.mapToGlobal(inView))}},
        {"the close box", [](QWidget& d) { d.close(); }, {"command 2 other"}},
        {"three files dropped", [](QWidget& d) {
             drop(d, {QUrl::fromLocalFile("/tmp/a.wav"), QUrl::fromLocalFile("/tmp/b.wav"),
                      QUrl::fromLocalFile("/tmp/c.txt")});
         }, {"drop /tmp/a.wav"}},
        {"a web address dropped", [](QWidget& d) { drop(d, {QUrl("https://example.org/x.wav")}); }, {}},
        {"the idle pass", [](QWidget& d) { static_cast<MainDialog&>(d).runIdle(); }, {"idle"}},
        {"Enter on Reload", filtered("IDC_RELOAD", Qt::Key_Return), {"key Enter"}},
        {"Enter of the keypad on the list", filtered("IDC_WAVE_NUMBER", Qt::Key_Enter, Qt::KeypadModifier),
         {"key Enter"}},
        {"Esc on the dialog itself", filtered("", Qt::Key_Escape), {"key Escape"}},
        {"Ctrl+L on the port list", filtered("IDC_PORT", Qt::Key_L, Qt::ControlModifier), {"key Control L"}},
        {"Ctrl+L held", filtered("IDC_PORT", Qt::Key_L, Qt::ControlModifier, true), {"key Control L repeat"}},
        {"Ctrl+Alt+L (AltGr)", filtered("IDC_PORT", Qt::Key_L, Qt::ControlModifier | Qt::AltModifier), {}},
        {"Shift+F10", filtered("IDCANCEL", Qt::Key_F10, Qt::ShiftModifier), {"key ContextMenu"}},
        {"the Menu key", filtered("IDC_SEND", Qt::Key_Menu), {"key ContextMenu"}},
        {"F10 alone", filtered("IDC_SEND", Qt::Key_F10), {}},
        {"Tab", filtered("IDCANCEL", Qt::Key_Tab), {}},
        {"Ctrl+L in the port list's open drop-down", [&](QWidget&) {
             ports.showPopup();
             QKeyEvent press(QEvent::KeyPress, Qt::Key_L, Qt::ControlModifier);
             QVERIFY(!dialog.filterMessage(ports.view(), &press));
             ports.hidePopup();
         }, {}},
    });
}

void TestRoutes::waveTweaker()
{
    Waveshape wave;
    RecordingController controller;
    WaveTweakerDialog dialog(controller, wave);
    QCOMPARE(taken(controller), QStringList{"initialise"});
    dialog.show();
    WaveView& view = *dialog.view();
    const QPoint overView = view.geometry().center();
    const QPoint beside(view.geometry().right() + 3, 200);

    holdAgainstTable(dialog, controller, {
        {"OK's click", clicked("IDOK"), {"command 1 clicked"}},
        {"Filter's click", clicked("IDC_FILTER"), {"command 107 clicked"}},
        {"Undo's click", clicked("IDC_UNDO"), {"command 110 clicked"}},
        {"Enter on Clear", typed("IDC_CLEAR", Qt::Key_Return), {"key Enter"}},
        {"Esc on Normalize", typed("IDC_NORMALIZE", Qt::Key_Escape), {"key Escape"}},
        {"Ctrl+S on Clear", typed("IDC_CLEAR", Qt::Key_S, Qt::ControlModifier), {"key Control S"}},
        {"Shift+F10 on OK", typed("IDOK", Qt::Key_F10, Qt::ShiftModifier), {"key ContextMenu"}},
        {"Qt's own cancel", [](QWidget& d) { static_cast<QDialog&>(d).reject(); }, {"command 2 other"}},
        {"right click over the picture", [&](QWidget& d) { rightClick(d, overView); },
         {pointOf(dialog.mapToGlobal(overView))}},
        {"right click beside the picture", [&](QWidget& d) { rightClick(d, beside); }, {}},
    });
}

// Run from the main dialog, as Import Cycle runs it, until endDialog.
void TestRoutes::importCycle()
{
    Waveshape wave;
    RecordingController mainController;
    MainDialog main(mainController, wave);
    main.show();
    RecordingController controller;
    // The checks return early when one fails; the run ends all the same.
    const auto check = [&](QDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.parentWidget(), &main);
        QCOMPARE(taken(controller), QStringList{"initialise"});
        auto& overview = child<PictureView>(dialog, "IDC_RECORDING_VIEW");
        auto& cycle = child<PictureView>(dialog, "IDC_CYCLE_VIEW");
        // The client area lies inside a one-pixel sunken edge.
        const QString client = QStringLiteral(" of %1x%2").arg(overview.width() - 2).arg(overview.height() - 2);
        const QPoint inCycle(30, 20);
        const auto press = [](QWidget& on, QPoint at) {
            return [&on, at](QWidget&) { QTest::mouseClick(&on, Qt::LeftButton, {}, at); };
        };
        holdAgainstTable(dialog, controller, {
            {"Auto's click", clicked("IDC_AUTO"), {"command 1014 clicked"}},
            {"two digits typed in Start", [](QWidget& d) { QTest::keyClicks(&child(d, "IDC_CYCLE_START"), "12"); },
             {"command 1012 changed", "command 1012 changed"}},
            {"the controller's own text in Length",
             [&](QWidget&) { controller.window->setControlText(IDC_CYCLE_LENGTH, "400.5"); }, {}},
            {"a click on the overview", press(overview, QPoint(21, 11)), {"picture 1010 clicked at 20,10" + client}},
            // Through the window, as the platform delivers it: a press, then the double click.
            {"a double click on the overview", [&](QWidget& d) {
                 QTest::mouseDClick(d.windowHandle(), Qt::LeftButton, {}, overview.mapTo(&d, QPoint(1, 1)));
             }, {"picture 1010 clicked at 0,0" + client, "picture 1010 double clicked at 0,0" + client}},
            {"a click on the overview's edge", press(overview, QPoint(0, 5)), {}},
            {"a click on the cycle", press(cycle, inCycle), {}},
            {"right click on the cycle", [&](QWidget&) { rightClick(cycle, inCycle); },
             {pointOf(cycle.mapToGlobal(inCycle))}},
            {"right click on the overview", [&](QWidget&) { rightClick(overview, QPoint(21, 11)); }, {}},
            {"Enter in Start", typed("IDC_CYCLE_START", Qt::Key_Return), {"key Enter"}},
            {"Enter on Auto", typed("IDC_AUTO", Qt::Key_Return), {"key Enter"}},
            {"Ctrl+L in Length", typed("IDC_CYCLE_LENGTH", Qt::Key_L, Qt::ControlModifier), {"key Control L"}},
            {"the close box", [](QWidget& d) { d.close(); }, {"command 2 other"}},
        });
        // A label's access key is the platform dialog's: the focus to the field after it.
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), &child(dialog, "IDC_CYCLE_LENGTH"));
    };
    ModalWatcher watcher([&](QDialog& dialog) {
        check(dialog);
        controller.window->endDialog(7);
    });
    QCOMPARE(main.runModal(IDD_IMPORT_CYCLE, &controller), 7);
    QCOMPARE(watcher.shown(), 1);
}

// Exactly the drawing's rectangles, in order, in client pixels, and nothing
// over the sunken edge.
void TestRoutes::importCyclePicturesPaintTheDrawing()
{
    RecordingController controller;
    controller.drawing.fill({-3, -3, 6, 6}, Colour{0, 0, 255});
    controller.drawing.fill({2, 2, 3, 1}, Colour{255, 0, 0});
    ImportCycleDialog dialog(controller);
    auto& overview = child<PictureView>(dialog, "IDC_RECORDING_VIEW");
    const QImage shown = overview.grab().toImage();
    QCOMPARE(controller.drawnAt[IDC_RECORDING_VIEW], (Size{overview.width() - 2, overview.height() - 2}));
    const auto at = [&shown](int x, int y) { return shown.pixelColor(x + 1, y + 1); };
    QCOMPARE(at(0, 0), QColor(Qt::blue));
    QCOMPARE(at(2, 2), QColor(Qt::red));
    QCOMPARE(at(4, 2), QColor(Qt::red));
    QVERIFY(at(5, 2) != QColor(Qt::red) && at(3, 3) != QColor(Qt::blue));
    QVERIFY(at(-1, -1) != QColor(Qt::blue) && at(0, -1) != QColor(Qt::blue));

    // A text in its box, in its colour, and nowhere else.
    controller.drawing.text({10, 10, 40, 20}, "WWWW", Colour{0, 128, 0});
    const QImage written = overview.grab().toImage();
    int inBox = 0;
    int outside = 0;
    for (int y = 0; y < overview.height() - 2; ++y) {
        for (int x = 0; x < overview.width() - 2; ++x) {
            // Smoothed edges blend into what lies under them: count what is green at all.
            const QColor pixel = written.pixelColor(x + 1, y + 1);
            if (pixel.green() > pixel.red() + 40 && pixel.green() > pixel.blue() + 40)
                ++(x >= 10 && x < 50 && y >= 10 && y < 30 ? inBox : outside);
        }
    }
    QVERIFY(inBox > 10);
    QCOMPARE(outside, 0);
}

// The bank window: opened once beside the main dialog, its picture's clicks
// with their keys, double clicks, drops of several files on a cell or
// elsewhere, the cells' keys, and closed by its controller.
void TestRoutes::bankWindow()
{
    Waveshape wave;
    RecordingController mainController;
    MainDialog main(mainController, wave);
    main.show();
    RecordingController controller;
    main.openModeless(IDD_BANK, controller);
    main.openModeless(IDD_BANK, controller);
    auto* dialog = main.findChild<BankDialog*>();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(taken(controller), QStringList{"initialise"});
    QVERIFY(QTest::qWaitForWindowActive(dialog));

    auto& cells = child<PictureView>(*dialog, "IDC_BANK_VIEW");
    const QString client = QStringLiteral(" of %1x%2").arg(cells.width() - 2).arg(cells.height() - 2);
    const QStringList files{QStringLiteral("/tmp/b.wav"), QStringLiteral("/tmp/a.wav")};
    const auto clickWith = [&](Qt::KeyboardModifiers held) {
        return [&cells, held](QWidget&) { QTest::mouseClick(&cells, Qt::LeftButton, held, QPoint(41, 21)); };
    };
    holdAgainstTable(*dialog, controller, {
        {"a click on a cell", clickWith({}), {"picture 1020 clicked at 40,20" + client}},
        {"Shift+click", clickWith(Qt::ShiftModifier), {"picture 1020 clicked at 40,20" + client + " shift"}},
        {"Ctrl+click", clickWith(Qt::ControlModifier), {"picture 1020 clicked at 40,20" + client + " ctrl"}},
        {"a double click", [&](QWidget& d) {
             QTest::mouseDClick(d.windowHandle(), Qt::LeftButton, {}, cells.mapTo(&d, QPoint(3, 4)));
         }, {"picture 1020 clicked at 2,3" + client, "picture 1020 double clicked at 2,3" + client}},
        {"two files dropped on a cell", [&](QWidget& d) {
             FileDrop::deliver(d, files, cells.mapTo(&d, QPoint(11, 6)));
             QCoreApplication::sendPostedEvents(&d, QEvent::MetaCall);
         }, {"drop /tmp/b.wav /tmp/a.wav on 1020 at 10,5" + client}},
        {"two files dropped beside the cells", [&](QWidget& d) {
             FileDrop::deliver(d, files, child(d, "IDC_BANK_STATUS").geometry().center());
             QCoreApplication::sendPostedEvents(&d, QEvent::MetaCall);
         }, {"drop /tmp/b.wav /tmp/a.wav"}},
        {"Shift+Left on the cells", typed("IDC_BANK_VIEW", Qt::Key_Left, Qt::ShiftModifier), {"key Left shift"}},
        {"Down on the cells", typed("IDC_BANK_VIEW", Qt::Key_Down), {"key Down"}},
        {"Delete on the cells", typed("IDC_BANK_VIEW", Qt::Key_Delete), {"key Delete"}},
        {"Send Bank's click", clicked("IDC_BANK_SEND"), {"command 1025 clicked"}},
        {"a button's text from the controller",
         [&](QWidget& d) {
             controller.window->setControlText(IDC_BANK_RESUME, "&Resume from 101");
             QVERIFY(child<QPushButton>(d, "IDC_BANK_RESUME").text() == QStringLiteral("&Resume from 101"));
         }, {}},
        {"the close box", [](QWidget& d) { d.close(); }, {"command 2 other"}},
    });
    QVERIFY(!main.findChild<BankDialog*>()->isHidden());
    QPointer<BankDialog> closing = dialog;
    controller.window->endDialog(0);
    QTRY_VERIFY(closing.isNull());
    main.openModeless(IDD_BANK, controller);
    QCOMPARE(taken(controller), QStringList{"initialise"});
}

QTEST_MAIN(TestRoutes)
#include "tst_routes.moc"
