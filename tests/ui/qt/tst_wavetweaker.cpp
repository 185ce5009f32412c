// The Wave Tweaker: its template, its buttons, its endings and the pen strokes
// that reach it through the view.

#include "PaintSpy.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "app/WindowsNT.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

using Operation = std::function<void(Waveshape&)>;
Q_DECLARE_METATYPE(Operation)

namespace {

constexpr std::uint32_t fixedTicks = 4242;

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

// The sample and value a pen point in the view's client coordinates writes, with
// points off the client area taken to the nearest sample and full scale.
std::pair<std::size_t, std::int16_t> penTarget(const WaveView& view, QPoint point)
{
    const double width = view.clientArea().width();
    const double height = view.clientArea().height();
    const double index = std::clamp(std::trunc(point.x() / width * 128.0), 0.0, 127.0);
    const double value = std::clamp(std::trunc((height - point.y()) / height * 65535.0 - 32767.0), -32768.0, 32767.0);
    return {static_cast<std::size_t>(index), static_cast<std::int16_t>(value)};
}

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
        WaveTweakerDialog dialog(wave_);
        const DialogUnits units(dialog.font());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wave Tweaker"));
        QCOMPARE(dialog.size(), units.size(329, 233));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("IDOK"))->isDefault());
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 7);
        QVERIFY(!dialog.view()->editMode());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("units");
        QTest::newRow("OK") << "IDOK" << "OK" << QRect(272, 7, 50, 14);
        QTest::newRow("view") << "IDC_WAVE_VIEW" << QString() << QRect(7, 7, 256, 219);
        QTest::newRow("Filter") << "IDC_FILTER" << "Filter" << QRect(272, 28, 50, 14);
        QTest::newRow("Normalize") << "IDC_NORMALIZE" << "Normalize" << QRect(272, 45, 50, 14);
        QTest::newRow("Additive") << "IDC_ADDITIVE" << "Additive" << QRect(272, 62, 50, 14);
        QTest::newRow("Undo") << "IDC_UNDO" << "Undo" << QRect(272, 117, 50, 14);
        QTest::newRow("Clear") << "IDC_CLEAR" << "Clear" << QRect(272, 100, 50, 14);
        QTest::newRow("Random PD") << "IDC_RANDOM_PD" << "Random PD" << QRect(272, 79, 50, 14);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, units);
        WaveTweakerDialog dialog(wave_);
        const DialogUnits dialogUnits(dialog.font());
        auto* control = dialog.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), dialogUnits.rect(units.x(), units.y(), units.width(), units.height()));
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else {
            QCOMPARE(control, static_cast<QWidget*>(dialog.view()));
        }
    }

    void tabOrderIsTemplateOrder()
    {
        WaveTweakerDialog dialog(wave_);
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

    void openingSnapshotOverwritesUndo()
    {
        const SampleArray opening = wave_.samples;
        QVERIFY(wave_.undo != opening);
        WaveTweakerDialog dialog(wave_);
        QCOMPARE(wave_.undo, opening);
        QCOMPARE(wave_.samples, opening);
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Operation>("operation");
        QTest::newRow("Filter") << "IDC_FILTER" << Operation(&WaveOperations::filter);
        QTest::newRow("Normalize") << "IDC_NORMALIZE" << Operation(&WaveOperations::normalize);
        QTest::newRow("Additive") << "IDC_ADDITIVE" << Operation(&WaveOperations::additive);
        QTest::newRow("Random PD")
            << "IDC_RANDOM_PD" << Operation([](Waveshape& wave) { WaveOperations::randomPD(wave, fixedTicks); });
        QTest::newRow("Clear") << "IDC_CLEAR" << Operation(&WaveOperations::clear);
        QTest::newRow("Undo") << "IDC_UNDO" << Operation(&WaveOperations::undoLast);
    }
    // Each button, pressed after a pen stroke, does what its operation does on a
    // copy and then repaints the whole view at full scale.
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(Operation, operation);
        WaveTweakerDialog dialog(wave_);
        dialog.setTickSource([] { return fixedTicks; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        const QPoint stroke = view->mapTo(&dialog, view->clientArea().topLeft() + QPoint(30, 10));
        QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, stroke);
        QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, stroke);
        flushRepaints();

        Waveshape expected = wave_;
        operation(expected);
        const PaintSpy spy(view);
        QTest::mouseClick(dialog.findChild<QPushButton*>(name), Qt::LeftButton);
        flushRepaints();

        QCOMPARE(wave_.samples, expected.samples);
        QCOMPARE(wave_.undo, expected.undo);
        QCOMPARE(wave_.loaded, expected.loaded);
        QVERIFY(spy.painted().contains(view->rect()));
        QCOMPARE(view->verticalExtent(), 65535);
    }

    void randomPdSeedsWithTheTickCount()
    {
        WaveTweakerDialog dialog(wave_);
        const Waveshape before = wave_;
        const std::uint32_t first = WaveOperations::millisecondTicks();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("IDC_RANDOM_PD")), Qt::LeftButton);
        const std::uint32_t last = WaveOperations::millisecondTicks();

        bool matched = false;
        for (std::uint32_t seed = first; !matched && seed != last + 1; ++seed) {
            Waveshape candidate = before;
            WaveOperations::randomPD(candidate, seed);
            matched = candidate.samples == wave_.samples;
        }
        QVERIFY(matched);
    }

    void endings_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("result");
        QTest::newRow("OK clicked") << "click" << 1;
        QTest::newRow("Enter") << "enter" << 1;
        QTest::newRow("Escape") << "escape" << 2;
    }
    // Both endings keep what was drawn: there is no working copy.
    void endings()
    {
        QFETCH(QString, ending);
        QFETCH(int, result);
        QWidget owner;
        owner.resize(600, 450);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        WaveTweakerDialog dialog(wave_, &owner);
        const SampleArray opening = wave_.samples;
        auto [index, value] = penTarget(*dialog.view(), {100, 20});

        QTimer::singleShot(0, &dialog, [&] {
            WaveView* view = dialog.view();
            const QPoint point = view->mapTo(&dialog, view->clientArea().topLeft() + QPoint(100, 20));
            QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, point);
            QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, point);
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("IDOK"));
            if (ending == QLatin1String("click")) {
                QTest::mouseClick(ok, Qt::LeftButton);
            } else {
                QWidget* focus = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
                QTest::keyClick(focus, ending == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(dialog.result(), result);

        SampleArray drawn = opening;
        drawn[index] = value;
        QCOMPARE(wave_.samples, drawn);
        QCOMPARE(wave_.undo, opening);
    }

    void escapeAtOnceKeepsTheWave()
    {
        const SampleArray opening = wave_.samples;
        WaveTweakerDialog dialog(wave_);
        QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QCOMPARE(dialog.exec(), 2);
        QCOMPARE(wave_.samples, opening);
        QCOMPARE(wave_.undo, opening);
    }

    void undoAfterDrawingGoesBackToTheOpening()
    {
        const SampleArray opening = wave_.samples;
        WaveTweakerDialog dialog(wave_);
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
        WaveTweakerDialog dialog(wave_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        const SampleArray opening = wave_.samples;
        const QPoint client(150, 40);
        const auto [index, value] = penTarget(*view, client);

        QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, view->mapTo(&dialog, client + view->clientArea().topLeft()));

        QVERIFY(view->editMode());
        SampleArray expected = opening;
        expected[index] = value;
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
        WaveTweakerDialog dialog(wave_);
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
        WaveTweakerDialog dialog(wave_);
        QPoint viewOrigin;
        QVERIFY(showInEditMode(dialog, viewOrigin));
        WaveView* view = dialog.view();
        QWindow* window = dialog.windowHandle();
        const SampleArray before = wave_.samples;

        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(window, viewOrigin + QPoint(200, 100));
        QTest::mouseRelease(window, Qt::LeftButton, {}, viewOrigin + QPoint(200, 100));

        const auto [index, value] = penTarget(*view, {200, 100});
        SampleArray expected = before;
        expected[index] = value;
        QCOMPARE(wave_.samples, expected);
    }

    void moveWithoutTheButtonDrawsNothing()
    {
        WaveTweakerDialog dialog(wave_);
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
    // full scale.
    void pressOnTheEdge_data()
    {
        QTest::addColumn<QString>("edge");
        QTest::newRow("left") << "left";
        QTest::newRow("right") << "right";
        QTest::newRow("top") << "top";
        QTest::newRow("bottom") << "bottom";
    }
    void pressOnTheEdge()
    {
        QFETCH(QString, edge);
        WaveTweakerDialog dialog(wave_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        WaveView* view = dialog.view();
        const QRect outer = view->geometry();
        const int width = view->clientArea().width();
        const int height = view->clientArea().height();

        QPoint press;
        QPoint client;
        std::size_t index = 0;
        std::int16_t value = 0;
        if (edge == QLatin1String("left")) {
            press = QPoint(outer.left(), outer.center().y());
            client = QPoint(-1, press.y() - outer.top() - 1);
            index = 0;
            value = penTarget(*view, client).second;
        } else if (edge == QLatin1String("right")) {
            press = QPoint(outer.right(), outer.center().y());
            client = QPoint(width, press.y() - outer.top() - 1);
            index = 127;
            value = penTarget(*view, client).second;
        } else if (edge == QLatin1String("top")) {
            press = QPoint(outer.center().x(), outer.top());
            client = QPoint(press.x() - outer.left() - 1, -1);
            index = penTarget(*view, client).first;
            value = 32767;
        } else {
            press = QPoint(outer.center().x(), outer.bottom());
            client = QPoint(press.x() - outer.left() - 1, height);
            index = penTarget(*view, client).first;
            value = -32767;
        }
        SampleArray expected = wave_.samples;
        expected[index] = value;

        QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {}, press);
        QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, press);

        QVERIFY(view->editMode());
        QCOMPARE(wave_.samples, expected);
    }

    void centring_data()
    {
        QTest::addColumn<QRect>("ownerGeometry");
        QTest::addColumn<QString>("ownerState");
        QTest::addColumn<QString>("placement");
        QTest::newRow("over a visible owner") << QRect(120, 90, 560, 420) << "shown" << "owner";
        QTest::newRow("owner near the bottom right") << QRect(600, 500, 400, 300) << "shown" << "bottom right";
        QTest::newRow("owner off the top left") << QRect(-500, -400, 400, 300) << "shown" << "top left";
        QTest::newRow("hidden owner") << QRect(0, 0, 200, 150) << "hidden" << "screen";
        QTest::newRow("minimised owner") << QRect(0, 0, 200, 150) << "minimised" << "screen";
        QTest::newRow("no owner") << QRect() << "none" << "screen";
    }
    void centring()
    {
        QFETCH(QRect, ownerGeometry);
        QFETCH(QString, ownerState);
        QFETCH(QString, placement);
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget owner;
        owner.setGeometry(ownerGeometry);
        if (ownerState == QLatin1String("shown")) {
            owner.show();
            QVERIFY(QTest::qWaitForWindowExposed(&owner));
        } else if (ownerState == QLatin1String("minimised")) {
            owner.showMinimized();
            QVERIFY(owner.isMinimized());
        }

        WaveTweakerDialog dialog(wave_, ownerState == QLatin1String("none") ? nullptr : &owner);
        const QRect placed = dialog.frameGeometry();
        const QSize size = placed.size();
        QVERIFY(size.width() <= workArea.width() && size.height() <= workArea.height());

        QPoint expected;
        if (placement == QLatin1String("owner")) {
            const QRect around = owner.frameGeometry();
            expected = {around.left() + around.width() / 2 - size.width() / 2,
                        around.top() + around.height() / 2 - size.height() / 2};
        } else if (placement == QLatin1String("screen")) {
            expected = {workArea.left() + workArea.width() / 2 - size.width() / 2,
                        workArea.top() + workArea.height() / 2 - size.height() / 2};
        } else if (placement == QLatin1String("bottom right")) {
            expected = {workArea.left() + workArea.width() - size.width(), workArea.top() + workArea.height() - size.height()};
        } else {
            expected = workArea.topLeft();
        }
        QCOMPARE(placed.topLeft(), expected);
        QVERIFY(workArea.contains(placed));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.frameGeometry().topLeft(), expected);
    }

    void screenshotWhileDrawing()
    {
        const QByteArray directory = qgetenv("HWD_SCREENSHOTS");
        if (directory.isEmpty()) {
            QSKIP("HWD_SCREENSHOTS names no directory");
        }
        wave_.resampled = true;
        WaveTweakerDialog dialog(wave_);
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
