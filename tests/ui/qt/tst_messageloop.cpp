// The message loop: when idle passes run, in which order filters are asked, and
// how the loop ends. Each case runs the real loop; what it does is scripted from
// the loop's own idle passes and from the moments it is about to wait.

#include "ModalWatcher.h"
#include "ui/qt/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimerEvent>

#include <functional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// Counts the idle passes and runs the script: onIdle at each pass, onWaiting
// each time the loop, after its own idle work, is about to wait for events.
class Script final : public QObject, public IdleTask {
public:
    std::function<void(int pass)> onIdle;
    std::function<void()> onWaiting;
    int passes = 0;

    void runIdle() override
    {
        if (++passes == 1) {
            // Connected after the loop's own handler, so it runs after any idle pass.
            connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                if (QThread::currentThread()->loopLevel() == 1 && onWaiting)
                    onWaiting();
            });
        }
        if (onIdle)
            onIdle(passes);
    }
};

// Remembers which kinds of event reached it.
class Target final : public QWidget {
public:
    std::vector<QEvent::Type> received;

    [[nodiscard]] bool got(QEvent::Type type) const
    {
        return std::find(received.begin(), received.end(), type) != received.end();
    }

protected:
    bool event(QEvent* event) override
    {
        received.push_back(event->type());
        return QWidget::event(event);
    }
};

class RecordingFilter final : public PreDispatchFilter {
public:
    RecordingFilter(std::string name, std::vector<std::string>& log, bool swallows)
        : name_(std::move(name)), log_(log), swallows_(swallows)
    {
    }

    bool filterMessage(QObject* /*receiver*/, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        log_.push_back(name_);
        return swallows_;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    bool swallows_;
};

enum class Stimulus { MouseMove, HoverMove, ToolTip, Repaint, MousePress, KeyPress, QueuedCall };

} // namespace

Q_DECLARE_METATYPE(Stimulus)

class TestMessageLoop final : public QObject {
    Q_OBJECT

private slots:
    void idlePeriodsByEventKind_data();
    void idlePeriodsByEventKind();
    void fetchedEventsThatOpenAnIdlePeriod_data();
    void fetchedEventsThatOpenAnIdlePeriod();
    void toolTipTimersAfterPointerMovementOpenNone();
    void startsWithAnIdlePeriodOpen();
    void noIdlePassOrFilterInsideAModalLoop();
    void filtersAreAskedLastRegisteredFirst_data();
    void filtersAreAskedLastRegisteredFirst();
    void quitEndsTheLoopWithItsCode_data();
    void quitEndsTheLoopWithItsCode();
    void quitRequestedBeforeTheLoopRunsIsFetchedAtItsStart();
};

void TestMessageLoop::idlePeriodsByEventKind_data()
{
    QTest::addColumn<Stimulus>("stimulus");
    QTest::addColumn<QEvent::Type>("delivered");
    QTest::addColumn<int>("passes");

    QTest::newRow("mouse move") << Stimulus::MouseMove << QEvent::MouseMove << 1;
    QTest::newRow("hover move") << Stimulus::HoverMove << QEvent::HoverMove << 1;
    QTest::newRow("tool tip of a resting pointer") << Stimulus::ToolTip << QEvent::ToolTip << 1;
    QTest::newRow("repaint") << Stimulus::Repaint << QEvent::Paint << 1;
    QTest::newRow("mouse press") << Stimulus::MousePress << QEvent::MouseButtonPress << 2;
    QTest::newRow("key press") << Stimulus::KeyPress << QEvent::KeyPress << 2;
    QTest::newRow("queued call") << Stimulus::QueuedCall << QEvent::MetaCall << 2;
}

// After the first idle pass one event arrives and is handled; the loop then waits
// with an empty queue. Only an event that opens an idle period gives a second
// pass, and only one.
void TestMessageLoop::idlePeriodsByEventKind()
{
    QFETCH(Stimulus, stimulus);
    QFETCH(QEvent::Type, delivered);
    QFETCH(int, passes);

    Target target;
    target.setAttribute(Qt::WA_Hover);
    target.setMouseTracking(true);
    target.resize(100, 100);
    target.show();
    QVERIFY(QTest::qWaitForWindowExposed(&target));

    MessageLoop loop;
    Script script;
    loop.addIdleTask(script);
    script.onIdle = [&](int pass) {
        if (pass != 1)
            return;
        const QPointF point(10, 10);
        switch (stimulus) {
        case Stimulus::MouseMove:
            QCoreApplication::postEvent(&target, new QMouseEvent(QEvent::MouseMove, point, target.mapToGlobal(point),
                                                                 Qt::NoButton, Qt::NoButton, Qt::NoModifier));
            break;
        case Stimulus::HoverMove:
            QCoreApplication::postEvent(&target, new QHoverEvent(QEvent::HoverMove, point, target.mapToGlobal(point),
                                                                 QPointF(5, 5)));
            break;
        case Stimulus::ToolTip:
            QCoreApplication::postEvent(&target, new QHelpEvent(QEvent::ToolTip, point.toPoint(),
                                                                target.mapToGlobal(point.toPoint())));
            break;
        case Stimulus::Repaint:
            target.update();
            break;
        case Stimulus::MousePress:
            QCoreApplication::postEvent(&target, new QMouseEvent(QEvent::MouseButtonPress, point,
                                                                 target.mapToGlobal(point), Qt::LeftButton,
                                                                 Qt::LeftButton, Qt::NoModifier));
            break;
        case Stimulus::KeyPress:
            QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
            break;
        case Stimulus::QueuedCall:
            QMetaObject::invokeMethod(&target, [&target] { target.received.push_back(QEvent::MetaCall); },
                                      Qt::QueuedConnection);
            break;
        }
    };
    script.onWaiting = [&] {
        if (target.got(delivered))
            loop.postQuit(0);
    };

    QCOMPARE(loop.run(), 0);
    QVERIFY(target.got(delivered));
    QCOMPARE(script.passes, passes);
}

void TestMessageLoop::fetchedEventsThatOpenAnIdlePeriod_data()
{
    QTest::addColumn<QEvent::Type>("type");
    QTest::addColumn<bool>("opens");

    QTest::newRow("mouse move") << QEvent::MouseMove << false;
    QTest::newRow("non-client mouse move") << QEvent::NonClientAreaMouseMove << false;
    QTest::newRow("hover move") << QEvent::HoverMove << false;
    QTest::newRow("enter") << QEvent::Enter << false;
    QTest::newRow("leave") << QEvent::Leave << false;
    QTest::newRow("tool tip") << QEvent::ToolTip << false;
    QTest::newRow("paint") << QEvent::Paint << false;
    QTest::newRow("update request") << QEvent::UpdateRequest << false;
    QTest::newRow("expose") << QEvent::Expose << false;
    QTest::newRow("mouse press") << QEvent::MouseButtonPress << true;
    QTest::newRow("mouse release") << QEvent::MouseButtonRelease << true;
    QTest::newRow("double click") << QEvent::MouseButtonDblClick << true;
    QTest::newRow("wheel") << QEvent::Wheel << true;
    QTest::newRow("key press") << QEvent::KeyPress << true;
    QTest::newRow("key release") << QEvent::KeyRelease << true;
    QTest::newRow("drop") << QEvent::Drop << true;
    QTest::newRow("close") << QEvent::Close << true;
    QTest::newRow("queued call") << QEvent::MetaCall << true;
    QTest::newRow("timer") << QEvent::Timer << true;
}

void TestMessageLoop::fetchedEventsThatOpenAnIdlePeriod()
{
    QFETCH(QEvent::Type, type);
    QFETCH(bool, opens);

    QObject receiver;
    const QEvent event(type);
    QCOMPARE(MessageLoop::opensIdlePeriod(&receiver, &event), opens);
}

// A pointer coming to rest makes the application wake its tool tips by a timer of
// its own: that is still pointer movement, while other objects' timers count.
void TestMessageLoop::toolTipTimersAfterPointerMovementOpenNone()
{
    QTimerEvent tick(1);
    QVERIFY(!MessageLoop::opensIdlePeriod(QCoreApplication::instance(), &tick));
    QWidget widget;
    QVERIFY(MessageLoop::opensIdlePeriod(&widget, &tick));
}

// Paints before the queue first runs dry do not matter: the first pass comes.
void TestMessageLoop::startsWithAnIdlePeriodOpen()
{
    Target target;
    target.resize(50, 50);
    target.show();
    target.update();

    MessageLoop loop;
    Script script;
    loop.addIdleTask(script);
    script.onIdle = [&](int /*pass*/) { loop.postQuit(0); };

    QCOMPARE(loop.run(), 0);
    QCOMPARE(script.passes, 1);
}

// A modal dialog's own loop fetches key presses, clicks and queued calls; this
// loop neither filters them nor runs its idle tasks meanwhile. The queued call
// that opened the dialog was fetched here, so one pass follows its end.
void TestMessageLoop::noIdlePassOrFilterInsideAModalLoop()
{
    MessageLoop loop;
    Script script;
    std::vector<std::string> asked;
    RecordingFilter filter("filter", asked, false);
    loop.addFilter(filter);
    loop.addIdleTask(script);

    int passesDuringModal = -1;
    bool modalDone = false;
    ModalWatcher inside([&](QDialog& dialog) {
        auto* button = dialog.findChild<QPushButton*>();
        QCoreApplication::postEvent(button, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2),
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.accept(); }, Qt::QueuedConnection);
    });

    script.onIdle = [&](int pass) {
        if (pass != 1)
            return;
        QMetaObject::invokeMethod(
            &script,
            [&] {
                QDialog dialog;
                new QPushButton(QStringLiteral("Button"), &dialog);
                dialog.exec();
                passesDuringModal = script.passes - 1;
                modalDone = true;
            },
            Qt::QueuedConnection);
    };
    script.onWaiting = [&] {
        if (modalDone)
            loop.postQuit(0);
    };

    QCOMPARE(loop.run(), 0);
    QCOMPARE(inside.shown(), 1);
    QCOMPARE(passesDuringModal, 0);
    QCOMPARE(script.passes, 2);
    QVERIFY(asked.empty());
}

void TestMessageLoop::filtersAreAskedLastRegisteredFirst_data()
{
    QTest::addColumn<QString>("swallower");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("reachesWidget");

    QTest::newRow("none swallows") << QString() << QStringList{"third", "second", "first"} << true;
    QTest::newRow("last registered swallows") << "third" << QStringList{"third"} << false;
    QTest::newRow("middle one swallows") << "second" << QStringList{"third", "second"} << false;
    QTest::newRow("first registered swallows") << "first" << QStringList{"third", "second", "first"} << false;
}

void TestMessageLoop::filtersAreAskedLastRegisteredFirst()
{
    QFETCH(QString, swallower);
    QFETCH(QStringList, asked);
    QFETCH(bool, reachesWidget);

    std::vector<std::string> log;
    RecordingFilter first("first", log, swallower == "first");
    RecordingFilter second("second", log, swallower == "second");
    RecordingFilter third("third", log, swallower == "third");
    Target target;

    MessageLoop loop;
    loop.addFilter(first);
    loop.addFilter(second);
    loop.addFilter(third);
    Script script;
    loop.addIdleTask(script);
    script.onIdle = [&](int pass) {
        if (pass != 1)
            return;
        QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier));
        loop.postQuit(0);
    };

    QCOMPARE(loop.run(), 0);
    QStringList order;
    for (const std::string& name : log)
        order << QString::fromStdString(name);
    QCOMPARE(order, asked);
    QCOMPARE(target.got(QEvent::KeyPress), reachesWidget);
}

void TestMessageLoop::quitEndsTheLoopWithItsCode_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("zero") << 0;
    QTest::newRow("IDOK") << 1;
    QTest::newRow("IDCANCEL") << 2;
    QTest::newRow("negative") << -7;
}

void TestMessageLoop::quitEndsTheLoopWithItsCode()
{
    QFETCH(int, code);
    MessageLoop loop;
    Script script;
    loop.addIdleTask(script);
    script.onIdle = [&](int /*pass*/) { loop.postQuit(code); };
    QCOMPARE(loop.run(), code);
    QCOMPARE(script.passes, 1);
}

void TestMessageLoop::quitRequestedBeforeTheLoopRunsIsFetchedAtItsStart()
{
    MessageLoop loop;
    Script script;
    loop.addIdleTask(script);
    loop.postQuit(5);
    QCOMPARE(loop.run(), 5);
    QCOMPARE(script.passes, 0);
}

QTEST_MAIN(TestMessageLoop)
#include "tst_messageloop.moc"
