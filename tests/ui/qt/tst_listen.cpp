// Listen's output on ALSA, fed by the real Qt event loop through the tests'
// capturing ALSA configuration (tests/audio): what it plays, that stop() ends
// it, that an edit is heard next, and that the device's readiness does not keep
// the message loop's idle work busy.

#include "tests/audio/AlsaCapture.h"
#include "tests/audio/RampTone.h"
#include "tests/support/ScratchDirectory.h"

#include "audio/TonePreview.h"
#include "ui/qt/AlsaPreviewOutput.h"
#include "ui/qt/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// Runs a Qt event loop until done() holds after one of its passes. The device of
// the test configuration is always ready and takes a buffer (some 1,440 frames)
// at each activation, so the loop never waits while the output plays and a
// few thousand passes are plenty; the timer only bounds a run whose output
// never got going.
bool runEventLoopUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    int passes = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, &loop, [&] {
        if (done())
            loop.exit(0);
        else if (++passes > 5000)
            loop.exit(1);
    });
    QTimer::singleShot(20000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

// What is wrong with the capture as the output's recording, or nothing.
QString recordingProblem(const AlsaCapture::Recording& recording)
{
    if (!recording.problem.empty())
        return QString::fromStdString(recording.problem);
    if (recording.rate != 48000 || recording.channels != 1 || recording.bitsPerSample != 16)
        return QStringLiteral("%1 Hz, %2 channels, %3 bits instead of 48000 Hz mono 16-bit")
            .arg(recording.rate).arg(recording.channels).arg(recording.bitsPerSample);
    return {};
}

// The first frame that is not expected(k), described; nothing when all are.
QString firstWrongFrame(const std::vector<std::int16_t>& frames, const std::function<int(std::size_t)>& expected)
{
    for (std::size_t k = 0; k < frames.size(); ++k) {
        if (frames[k] != expected(k))
            return QStringLiteral("frame %1 is %2, not %3").arg(k).arg(frames[k]).arg(expected(k));
    }
    return {};
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

// Counts the loop's idle passes and runs the test's script at each.
class IdleScript final : public IdleTask {
public:
    std::function<void(int pass)> onIdle;
    int passes = 0;

    void runIdle() override { onIdle(++passes); }
};

// Once the source has made enough, swallows the next activation of the output's
// notifier and switches that notifier off, so that the event queue can run dry
// without any event of the test's own.
class SilenceAfter final : public QObject {
public:
    SilenceAfter(const TonePreview& source, std::uint64_t frames) : source_(source), frames_(frames) {}

    std::function<void()> onSilenced;
    bool silenced = false;
    int activations = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::SockAct || silenced)
            return false;
        ++activations;
        if (source_.framesMade() < frames_)
            return false;
        auto* const notifier = qobject_cast<QSocketNotifier*>(watched);
        if (notifier == nullptr)
            return false;
        notifier->setEnabled(false);
        silenced = true;
        onSilenced();
        return true;
    }

private:
    const TonePreview& source_;
    std::uint64_t frames_;
};

} // namespace

class TestListen final : public QObject {
    Q_OBJECT

private slots:
    void playsTheToneFromTheEventLoopUntilStopped();
    void aWaveChangeIsHeardFromTheNextFrameMade();
    void theDevicesReadinessOpensNoIdlePeriod();
    void aDeviceThatCannotOpenGivesAlsasReason();

private:
    [[nodiscard]] std::filesystem::path captureTo(const char* name) const
    {
        const std::filesystem::path capture = scratch_.file(name);
        AlsaCapture::captureInThisProcess(capture);
        return capture;
    }

    ScratchDirectory scratch_;
};

void TestListen::playsTheToneFromTheEventLoopUntilStopped()
{
    const std::filesystem::path capture = captureTo("tone.wav");
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPreviewOutput output;
    QVERIFY(!output.playing());
    QCOMPARE(text(output.start(source)), QString());
    QVERIFY(output.playing());
    const std::uint64_t filledAtStart = source.framesMade();

    QVERIFY(runEventLoopUntil([&] { return source.framesMade() >= 20000; }));
    QVERIFY(source.framesMade() > filledAtStart);
    output.stop();
    QVERIFY(!output.playing());
    const std::uint64_t made = source.framesMade();
    for (int pass = 0; pass < 100; ++pass)
        QCoreApplication::processEvents();
    QCOMPARE(source.framesMade(), made);

    const AlsaCapture::Recording played = AlsaCapture::read(capture);
    QCOMPARE(recordingProblem(played), QString());
    QVERIFY(played.frames.size() >= 20000);
    QVERIFY(played.frames.size() <= made);
    QCOMPARE(firstWrongFrame(played.frames, RampTone::halfLevelFrame), QString());
}

void TestListen::aWaveChangeIsHeardFromTheNextFrameMade()
{
    const std::filesystem::path capture = captureTo("edited.wav");
    Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPreviewOutput output;
    QCOMPARE(text(output.start(source)), QString());
    QVERIFY(runEventLoopUntil([&] { return source.framesMade() >= 5000; }));
    const std::size_t edited = source.framesMade();
    RampTone::edit(wave);
    QVERIFY(runEventLoopUntil([&] { return source.framesMade() >= edited + 5000; }));
    output.stop();

    const AlsaCapture::Recording played = AlsaCapture::read(capture);
    QCOMPARE(recordingProblem(played), QString());
    QVERIFY(played.frames.size() >= edited + 5000);
    QCOMPARE(firstWrongFrame(played.frames, [edited](std::size_t k) {
                 return k < edited ? RampTone::halfLevelFrame(k) : RampTone::editedHalfLevelFrame(k);
             }),
             QString());
}

// The first idle pass starts the output; then only its notifier's activations
// arrive until it is switched off. Were they to open an idle period, a pass
// would run as soon as the queue ran dry; as it is, the next pass waits for
// the timer that the switching off sets.
void TestListen::theDevicesReadinessOpensNoIdlePeriod()
{
    static_cast<void>(captureTo("idle.wav"));
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPreviewOutput output;
    MessageLoop loop;
    IdleScript idle;
    loop.addIdleTask(idle);
    SilenceAfter silence(source, 20000);
    QCoreApplication::instance()->installEventFilter(&silence);

    std::string startProblem = "not started";
    bool woken = false;
    int passesWhileOnlyTheDeviceSpoke = 0;
    idle.onIdle = [&](int pass) {
        if (pass == 1)
            startProblem = output.start(source);
        else if (!woken)
            ++passesWhileOnlyTheDeviceSpoke;
        else
            loop.postQuit(0);
    };
    // Made beforehand: a timer object made while the device speaks would be an
    // event of the test's own (its parent, the event dispatcher, gets a child).
    QTimer wake;
    wake.setSingleShot(true);
    QObject::connect(&wake, &QTimer::timeout, &wake, [&] { woken = true; });
    silence.onSilenced = [&] { wake.start(300); };
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &giveUp, [&] { loop.postQuit(1); });
    giveUp.start(20000);

    const int exitCode = loop.run();
    QCoreApplication::instance()->removeEventFilter(&silence);
    output.stop();

    QCOMPARE(text(startProblem), QString());
    QCOMPARE(exitCode, 0);
    QVERIFY(silence.silenced);
    QVERIFY(silence.activations > 5);
    QCOMPARE(passesWhileOnlyTheDeviceSpoke, 0);
    QCOMPARE(idle.passes, 2);
}

void TestListen::aDeviceThatCannotOpenGivesAlsasReason()
{
    static_cast<void>(captureTo("never.wav"));
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPreviewOutput output("no_such_device");
    QCOMPARE(text(output.start(source)), QStringLiteral("No such file or directory"));
    QVERIFY(!output.playing());
    output.stop();
    QVERIFY(!output.playing());
}

QTEST_MAIN(TestListen)
#include "tst_listen.moc"
