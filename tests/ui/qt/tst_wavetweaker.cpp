// The Wave Tweaker's window: its template, its tab order, its place, and the
// pen strokes that reach the wave through its view (the buttons' and keys'
// rules are the controller's, tested in tests/app).

#include "PaintSpy.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "app/PictureCommands.h"
#include "app/WaveTweakerController.h"
#include "app/WindowsNT.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace hwd;

namespace {

Waveshape loadedWave()
{
    Waveshape wave;
    wave.loaded = true;
    for (std::size_t i = 0; i < wave.samples.size(); ++i) {
        wave.samples[i] = static_cast<std::int16_t>(20000.0 * std::sin(static_cast<double>(i) * 0.049) + 3000.0 * std::cos(static_cast<double>(i) * 0.7));
    }
    wave.undo.fill(-5);
    return wave;
}

// The view's client area is 446 x 381 pixels with the offscreen platform's
// font; the pen targets below are worked out for it by hand.
constexpr QSize viewClient(446, 381);

// Shows the dialog and presses once on its view, so that edit mode is on from
// then until the dialog closes; viewOrigin is the view's client area's top-left
// corner in the dialog.
bool showInEditMode(WaveTweakerDialog& dialog, QPoint& viewOrigin)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        return false;
    }
    WaveView* view = dialog.view();
    viewOrigin = view->mapTo(&dialog, view->clientArea().topLeft());
    QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, viewOrigin + QPoint(5, 5));
    QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, viewOrigin + QPoint(5, 5));
    return view->editMode();
}

// Counts the events of one type that reach a widget.
class EventCounter final : public QObject {
public:
    EventCounter(QWidget* target, QEvent::Type type, int& count) : QObject(target), type_(type), count_(count)
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == type_)
            ++count_;
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type type_;
    int& count_;
};

// The Tweaker as the main dialog opens it, around the real controller; the
// pictures' commands are not this file's business.
class NoCommands final : public PictureCommands {
public:
    std::vector<MenuItem> pictureMenu(PictureWindow) const override { return {}; }
    void runPictureCommand(int, PictureWindow, DialogControls&) override {}
};

struct Tweaker {
    explicit Tweaker(Waveshape& wave, QWidget* owner = nullptr)
        : controller(wave, {}, commands), dialog(controller, wave, owner)
    {
    }
    NoCommands commands;
    WaveTweakerController controller;
    WaveTweakerDialog dialog;
};

} // namespace

class WaveTweakerTest final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        setWindowsNT(true);
        wave_ = loadedWave();
    }

    void cleanup()
    {
        // A failed step can leave the left button down in QTest's record.
        if (QWidget* window = QApplication::activeWindow(); window != nullptr && window->windowHandle() != nullptr) {
            QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
        }
    }

    void dialogTemplate()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wave Tweaker"));
        QCOMPARE(dialog.objectName(), QStringLiteral("IDD_WAVE_TWEAKER"));
        QCOMPARE(dialog.size(), QSize(576, 408));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("IDOK"))->isDefault());
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 7);
        QVERIFY(!dialog.view()->editMode());
        QCOMPARE(dialog.view()->clientArea().size(), viewClient);
        QVERIFY(dialog.view()->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    // 329 x 233 dialog units and the controls' rectangles at 7 x 14 pixels a
    // base unit: x and y both times 1.75, rounded.
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("OK") << "IDOK" << "OK" << QRect(476, 12, 88, 25);
        QTest::newRow("view") << "IDC_WAVE_VIEW" << QString() << QRect(12, 12, 448, 383);
        QTest::newRow("Filter") << "IDC_FILTER" << "Filter" << QRect(476, 49, 88, 25);
        QTest::newRow("Normalize") << "IDC_NORMALIZE" << "Normalize" << QRect(476, 79, 88, 25);
        QTest::newRow("Additive") << "IDC_ADDITIVE" << "Additive" << QRect(476, 109, 88, 25);
        QTest::newRow("Undo") << "IDC_UNDO" << "Undo" << QRect(476, 205, 88, 25);
        QTest::newRow("Clear") << "IDC_CLEAR" << "Clear" << QRect(476, 175, 88, 25);
        QTest::newRow("Random PD") << "IDC_RANDOM_PD" << "Random PD" << QRect(476, 138, 88, 25);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, pixels);
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        auto* control = dialog.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), pixels);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else {
            QCOMPARE(control, static_cast<QWidget*>(dialog.view()));
        }
    }

    void tabOrderIsTemplateOrder()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("IDOK"));
        QCOMPARE(QApplication::focusWidget(), ok);

        QStringList order;
        for (int step = 0; step < 7; ++step) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"IDOK", "IDC_FILTER", "IDC_NORMALIZE", "IDC_ADDITIVE", "IDC_UNDO", "IDC_CLEAR",
                                     "IDC_RANDOM_PD"}));
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    void undoAfterDrawingGoesBackToTheOpening()
    {
        const SampleArray opening = wave_.samples;
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        QWindow* window = dialog.windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, view->geometry().topLeft() + QPoint(20, 20));
        for (int x = 20; x < view->width() - 20; x += 7) {
            QTest::mouseMove(window, view->geometry().topLeft() + QPoint(x, 20 + x / 3));
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, view->geometry().topLeft() + QPoint(view->width() - 20, 40));
        QVERIFY(wave_.samples != opening);

        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("IDC_UNDO")), Qt::LeftButton);
        QCOMPARE(wave_.samples, opening);
    }

    void pressOnTheViewDraws()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        const SampleArray opening = wave_.samples;
        const QPoint client(150, 40);

        QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, view->mapTo(&dialog, client + view->clientArea().topLeft()));

        QVERIFY(view->editMode());
        SampleArray expected = opening;
        expected[43] = 25887;
        QCOMPARE(wave_.samples, expected);
        QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, view->mapTo(&dialog, client));
    }

    void otherPressesDrawNothing_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right button on the view") << "view" << Qt::RightButton;
        QTest::newRow("left button just left of the view") << "left of view" << Qt::LeftButton;
        QTest::newRow("left button just above the view") << "above view" << Qt::LeftButton;
        QTest::newRow("left button on the background") << "background" << Qt::LeftButton;
        QTest::newRow("left button on Filter") << "Filter" << Qt::LeftButton;
    }
    // None of these presses, nor a drag from them across the view, draws.
    void otherPressesDrawNothing()
    {
        QFETCH(QString, where);
        QFETCH(Qt::MouseButton, button);
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        const QRect outer = view->geometry();
        QPoint press = outer.center();
        if (where == QLatin1String("left of view")) {
            press = QPoint(outer.left() - 1, outer.center().y());
        } else if (where == QLatin1String("above view")) {
            press = QPoint(outer.center().x(), outer.top() - 1);
        } else if (where == QLatin1String("background")) {
            press = QPoint(2, 2);
        } else if (where == QLatin1String("Filter")) {
            press = dialog.findChild<QWidget*>(QStringLiteral("IDC_FILTER"))->geometry().center();
        }
        const SampleArray opening = wave_.samples;
        QWindow* window = dialog.windowHandle();

        QTest::mousePress(window, button, {}, press);
        for (int x = outer.left() + 5; x < outer.right(); x += 11) {
            QTest::mouseMove(window, QPoint(x, outer.top() + 15));
        }
        QTest::mouseRelease(window, button, {}, QPoint(outer.right() - 5, outer.top() + 15));

        QVERIFY(!view->editMode());
        QCOMPARE(wave_.samples, opening);
    }

    void dragFromTheBackgroundDrawsOnceTheViewWasPressed()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        QPoint viewOrigin;
        QVERIFY(showInEditMode(dialog, viewOrigin));
        QWindow* window = dialog.windowHandle();
        const SampleArray before = wave_.samples;

        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(window, viewOrigin + QPoint(200, 100));
        QTest::mouseRelease(window, Qt::LeftButton, {}, viewOrigin + QPoint(200, 100));

        SampleArray expected = before;
        expected[57] = 15567;
        QCOMPARE(wave_.samples, expected);
    }

    void moveWithoutTheButtonDrawsNothing()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.setMouseTracking(true);
        QPoint viewOrigin;
        QVERIFY(showInEditMode(dialog, viewOrigin));
        QWindow* window = dialog.windowHandle();
        const SampleArray before = wave_.samples;

        for (int x = 10; x < 300; x += 9) {
            QTest::mouseMove(window, viewOrigin + QPoint(x, 200));
        }
        QMouseEvent move(QEvent::MouseMove, QPointF(viewOrigin + QPoint(100, 200)),
                         QPointF(dialog.mapToGlobal(viewOrigin + QPoint(100, 200))), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&dialog, &move);

        QCOMPARE(wave_.samples, before);
    }

    // The sunken edge counts as the view; its points go to the nearest sample and
    // full scale. The view's outer rectangle is 12, 12, 448 x 383 in the dialog,
    // its client area starts at 13, 13.
    void pressOnTheEdge_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        // Client points (-1, 190), (446, 190), (222, -1) and (222, 381).
        QTest::newRow("left") << QPoint(12, 203) << 0 << 86;
        QTest::newRow("right") << QPoint(459, 203) << 127 << 86;
        QTest::newRow("top") << QPoint(235, 12) << 63 << 32767;
        QTest::newRow("bottom") << QPoint(235, 394) << 63 << -32767;
    }
    void pressOnTheEdge()
    {
        QFETCH(QPoint, press);
        QFETCH(int, index);
        QFETCH(int, value);
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SampleArray expected = wave_.samples;
        expected[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(value);

        QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, press);
        QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, press);

        QVERIFY(dialog.view()->editMode());
        QCOMPARE(wave_.samples, expected);
    }

    // The second click of a double click comes as a double-click event only; it
    // is no press and draws nothing, while a drag that goes on from it draws.
    void secondClickOfADoubleClickDrawsNothing()
    {
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWindow* window = dialog.windowHandle();
        const QPoint origin = dialog.view()->mapTo(&dialog, dialog.view()->clientArea().topLeft());
        int doubleClicks = 0;
        EventCounter counter(&dialog, QEvent::MouseButtonDblClick, doubleClicks);
        const SampleArray opening = wave_.samples;

        // As the window system delivers it: two presses close in time and place.
        int time = QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
        auto mouse = [&](QEvent::Type type, QPoint client, Qt::MouseButtons state, Qt::MouseButton button) {
            const QPoint local = origin + client;
            qt_handleMouseEvent(window, local, window->mapToGlobal(local), state, button, type, {}, ++time);
        };
        mouse(QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, {200, 150}, Qt::NoButton, Qt::LeftButton);
        SampleArray firstClick = opening;
        firstClick[57] = 6966;
        QCOMPARE(wave_.samples, firstClick);

        mouse(QEvent::MouseButtonPress, {203, 153}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(wave_.samples, firstClick);

        mouse(QEvent::MouseMove, {250, 300}, Qt::LeftButton, Qt::NoButton);
        mouse(QEvent::MouseButtonRelease, {250, 300}, Qt::NoButton, Qt::LeftButton);
        QTest::lastMouseTimestamp = time + QTest::mouseDoubleClickInterval;
        SampleArray dragged = firstClick;
        dragged[71] = -18834;
        QCOMPARE(wave_.samples, dragged);
    }

    // Placed once its frame is known: the frame, 580 x 412 pixels with the
    // offscreen platform's two-pixel border, centred over the owner's frame or
    // the 800 x 800 work area, and kept inside the work area.
    void centring_data()
    {
        QTest::addColumn<QRect>("ownerGeometry");
        QTest::addColumn<QString>("ownerState");
        QTest::addColumn<QPoint>("frameTopLeft");
        // The owner's frame is 118, 88, 564 x 424: its middle is 400, 300.
        QTest::newRow("over a visible owner") << QRect(120, 90, 560, 420) << "shown" << QPoint(110, 94);
        QTest::newRow("owner near the bottom right") << QRect(600, 500, 400, 300) << "shown" << QPoint(220, 388);
        QTest::newRow("owner off the top left") << QRect(-500, -400, 400, 300) << "shown" << QPoint(0, 0);
        QTest::newRow("hidden owner") << QRect(0, 0, 200, 150) << "hidden" << QPoint(110, 194);
        QTest::newRow("minimised owner") << QRect(0, 0, 200, 150) << "minimised" << QPoint(110, 194);
        QTest::newRow("no owner") << QRect() << "none" << QPoint(110, 194);
    }
    void centring()
    {
        QFETCH(QRect, ownerGeometry);
        QFETCH(QString, ownerState);
        QFETCH(QPoint, frameTopLeft);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
        QWidget owner;
        owner.setGeometry(ownerGeometry);
        if (ownerState == QLatin1String("shown")) {
            owner.show();
            QVERIFY(QTest::qWaitForWindowExposed(&owner));
        } else if (ownerState == QLatin1String("minimised")) {
            owner.showMinimized();
            QVERIFY(owner.isMinimized());
        }

        Tweaker tweaker(wave_, ownerState == QLatin1String("none") ? nullptr : &owner);
        WaveTweakerDialog& dialog = tweaker.dialog;
        QCOMPARE(dialog.frameGeometry(), QRect(frameTopLeft, QSize(580, 412)));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.frameGeometry(), QRect(frameTopLeft, QSize(580, 412)));
    }

    void screenshotWhileDrawing()
    {
        const QByteArray directory = qgetenv("HWD_SCREENSHOTS");
        if (directory.isEmpty()) {
            QSKIP("HWD_SCREENSHOTS names no directory");
        }
        wave_.resampled = true;
        Tweaker tweaker(wave_);
        WaveTweakerDialog& dialog = tweaker.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        flushRepaints();
        WaveView* view = dialog.view();
        QWindow* window = dialog.windowHandle();
        const QPoint origin = view->mapTo(&dialog, view->clientArea().topLeft());
        QTest::mousePress(window, Qt::LeftButton, {}, origin + QPoint(200, 60));
        for (int x = 200; x < 330; x += 2) {
            QTest::mouseMove(window, origin + QPoint(x, 60 + (x - 200)));
            flushRepaints();
        }
        const QString path = QString::fromLocal8Bit(directory);
        QVERIFY(dialog.screen()->grabWindow(dialog.winId()).save(path + QStringLiteral("/wavetweaker-drawing.png")));
        QTest::mouseRelease(window, Qt::LeftButton, {}, origin + QPoint(330, 190));
        QVERIFY(dialog.grab().save(path + QStringLiteral("/wavetweaker-repainted.png")));
    }

private:
    Waveshape wave_;
};

QTEST_MAIN(WaveTweakerTest)
#include "tst_wavetweaker.moc"
