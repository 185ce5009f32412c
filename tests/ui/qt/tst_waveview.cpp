// The wave view's picture and pen points, on a client area of 384 x 300 pixels.

#include "PaintSpy.h"
#include "ui/qt/WaveView.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace hwd;

namespace {

constexpr int clientWidth = 384;
constexpr int clientHeight = 300;
constexpr int centreRow = clientHeight / 2;

constexpr QRgb black = 0x000000;
constexpr QRgb lightBlue = 0x8080ff;
constexpr QRgb markRed = 0xff0080;

QRgb rgbAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0x00ffffffu;
}

// Sizes the view so that its client area is exactly 384 x 300 pixels.
void sizeView(WaveView& view)
{
    const QRect frame = view.frameRect();
    const QRect client = view.clientArea();
    view.resize(clientWidth + frame.width() - client.width(), clientHeight + frame.height() - client.height());
}

// The whole picture, painted afresh, in client coordinates.
QImage paintedClient(WaveView& view)
{
    return view.grab(view.clientArea()).toImage();
}

// What the window holds now, partial repaints included, in client coordinates.
QImage shownClient(WaveView& view)
{
    return view.screen()->grabWindow(view.winId()).toImage().copy(view.clientArea());
}

QRect redBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (rgbAt(image, x, y) == markRed) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace

class WaveViewTest final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        setWindowsNT(true);
        wave_ = Waveshape{};
    }

    void clientAreaIsInsideTheSunkenEdge()
    {
        WaveView view(wave_, WaveView::MouseReports::Notify);
        sizeView(view);
        QCOMPARE(view.clientArea(), QRect(1, 1, clientWidth, clientHeight));
        QCOMPARE(view.frameShadow(), QFrame::Sunken);
    }

    void emptyBoxWhateverResampledSays_data()
    {
        QTest::addColumn<bool>("resampled");
        QTest::addColumn<bool>("editMode");
        QTest::newRow("plain") << false << false;
        QTest::newRow("resampled") << true << false;
        QTest::newRow("resampled, edit mode") << true << true;
    }
    void emptyBoxWhateverResampledSays()
    {
        QFETCH(bool, resampled);
        QFETCH(bool, editMode);
        wave_.resampled = resampled;
        wave_.samples.fill(20000);
        WaveView view(wave_, WaveView::MouseReports::Notify);
        view.setEditMode(editMode);
        sizeView(view);

        const QImage image = paintedClient(view);
        QCOMPARE(image.size(), QSize(clientWidth, clientHeight));
        for (int y = 0; y < clientHeight; ++y) {
            for (int x = 0; x < clientWidth; ++x) {
                const bool outline = x == 0 || y == 0 || x == clientWidth - 1 || y == clientHeight - 1;
                if (rgbAt(image, x, y) != (outline ? black : lightBlue)) {
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(rgbAt(image, x, y), 6, 16)));
                }
            }
        }
    }

    // Sample 40 covers columns 120 to 122; its neighbours are 0.
    void bars_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<bool>("windowsNT");
        QTest::addColumn<bool>("editMode");
        QTest::addColumn<int>("firstBlack");
        QTest::addColumn<int>("endBlack");
        QTest::newRow("full scale up, viewing") << 32767 << true << false << 7 << centreRow + 1;
        QTest::newRow("full scale up, editing") << 32767 << true << true << 1 << centreRow + 1;
        QTest::newRow("full scale down, viewing") << -32768 << true << false << centreRow << 293;
        QTest::newRow("full scale down, editing") << -32768 << true << true << centreRow << clientHeight;
        QTest::newRow("positive, viewing") << 20000 << true << false << 62 << centreRow + 1;
        QTest::newRow("negative, editing") << -20000 << true << true << centreRow << 242;
        QTest::newRow("zero is the centre line alone") << 0 << true << false << centreRow << centreRow + 1;
        QTest::newRow("not NT halves") << -20000 << false << false << centreRow << 242;
        QTest::newRow("not NT ignores edit mode") << -20000 << false << true << centreRow << 242;
        QTest::newRow("not NT full scale is 16383 on the top edge") << 32767 << false << false << 1 << centreRow + 1;
        QTest::newRow("not NT -327 is -163, not -164") << -327 << false << false << centreRow << centreRow + 1;
        QTest::newRow("not NT -3 is -1") << -3 << false << false << centreRow << centreRow + 1;
    }
    void bars()
    {
        QFETCH(int, sample);
        QFETCH(bool, windowsNT);
        QFETCH(bool, editMode);
        QFETCH(int, firstBlack);
        QFETCH(int, endBlack);
        setWindowsNT(windowsNT);
        wave_.loaded = true;
        wave_.samples[40] = static_cast<std::int16_t>(sample);
        WaveView view(wave_, WaveView::MouseReports::Notify);
        view.setEditMode(editMode);
        sizeView(view);

        const QImage image = paintedClient(view);
        for (int x = 119; x <= 123; ++x) {
            const bool bar = x >= 120 && x <= 122;
            for (int y = 1; y < clientHeight - 1; ++y) {
                const bool expectBlack = y == centreRow || (bar && y >= firstBlack && y < endBlack);
                if (rgbAt(image, x, y) != (expectBlack ? black : lightBlue)) {
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(rgbAt(image, x, y), 6, 16)));
                }
            }
        }
        // The centre line runs across the whole width, over the bars.
        for (int x = 0; x < clientWidth; ++x) {
            QCOMPARE(rgbAt(image, x, centreRow), black);
        }
    }

    void barsCoverTheirOwnColumns()
    {
        wave_.loaded = true;
        for (std::size_t i = 0; i < wave_.samples.size(); ++i) {
            wave_.samples[i] = static_cast<std::int16_t>(i % 2 == 0 ? 30000 : -30000);
        }
        WaveView view(wave_, WaveView::MouseReports::Notify);
        sizeView(view);
        const QImage image = paintedClient(view);
        for (int x = 1; x < clientWidth - 1; ++x) {
            const bool up = (x / 3) % 2 == 0;
            QCOMPARE(rgbAt(image, x, 100), up ? black : lightBlue);
            QCOMPARE(rgbAt(image, x, 200), up ? lightBlue : black);
        }
    }

    void markOnlyWhenResampled_data()
    {
        QTest::addColumn<bool>("resampled");
        QTest::addColumn<bool>("windowsNT");
        QTest::addColumn<bool>("editMode");
        QTest::addColumn<QPoint>("anchor");
        QTest::newRow("from 128 samples") << false << true << false << QPoint();
        QTest::newRow("resampled, viewing") << true << true << false << QPoint(9, 7);
        QTest::newRow("resampled, editing") << true << true << true << QPoint(9, 0);
        QTest::newRow("resampled, not NT") << true << false << false << QPoint(9, 0);
    }
    void markOnlyWhenResampled()
    {
        QFETCH(bool, resampled);
        QFETCH(bool, windowsNT);
        QFETCH(bool, editMode);
        QFETCH(QPoint, anchor);
        setWindowsNT(windowsNT);
        wave_.loaded = true;
        wave_.resampled = resampled;
        WaveView view(wave_, WaveView::MouseReports::Notify);
        view.setEditMode(editMode);
        sizeView(view);

        const QRect red = redBounds(paintedClient(view));
        if (!resampled) {
            QVERIFY(red.isNull());
            return;
        }
        QVERIFY(!red.isNull());
        const QFontMetrics metrics(view.font());
        QVERIFY2(red.left() >= anchor.x() && red.left() < anchor.x() + metrics.averageCharWidth(),
                 qPrintable(QStringLiteral("mark starts at column %1").arg(red.left())));
        QVERIFY2(red.top() >= anchor.y() && red.bottom() < anchor.y() + metrics.height(),
                 qPrintable(QStringLiteral("mark spans rows %1 to %2").arg(red.top()).arg(red.bottom())));
    }

    void markFollowsTheExtent()
    {
        wave_.loaded = true;
        wave_.resampled = true;
        WaveView view(wave_, WaveView::MouseReports::Notify);
        sizeView(view);
        const QRect viewing = redBounds(paintedClient(view));
        view.setEditMode(true);
        const QRect editing = redBounds(paintedClient(view));
        QCOMPARE(viewing, editing.translated(0, 7));
    }

    void penIgnoredUnlessEditing()
    {
        wave_.loaded = true;
        wave_.samples.fill(777);
        const Waveshape before = wave_;
        WaveView view(wave_, WaveView::MouseReports::PassThrough);
        sizeView(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        flushRepaints();
        const PaintSpy spy(&view);

        view.penPoint({100, 20});
        flushRepaints();

        QCOMPARE(wave_.samples, before.samples);
        QVERIFY(spy.regions.isEmpty());
    }

    // One point sets one sample straight in the wave, takes no snapshot, and
    // repaints only the strip from x - 3 to x + 2, shifted by the one-pixel edge.
    void penPointReachesTheWaveAndRepaintsOnlyItsStrip()
    {
        wave_.loaded = true;
        wave_.samples.fill(1234);
        wave_.undo.fill(-99);
        WaveView view(wave_, WaveView::MouseReports::PassThrough);
        sizeView(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        flushRepaints();
        view.setEditMode(true);
        const PaintSpy spy(&view);

        view.penPoint({100, 1});
        flushRepaints();

        SampleArray expected;
        expected.fill(1234);
        expected[33] = 32549;
        QCOMPARE(wave_.samples, expected);
        SampleArray untouchedUndo;
        untouchedUndo.fill(-99);
        QCOMPARE(wave_.undo, untouchedUndo);
        QCOMPARE(spy.regions.size(), 1);
        QCOMPARE(spy.regions.first(), QRegion(98, 1, 6, clientHeight));
    }

    // After the first pen point, the strip shows the full-scale mapping while the
    // rest keeps the picture painted before edit mode.
    void stripPaintedFullScaleRestKeepsMargin()
    {
        wave_.loaded = true;
        wave_.samples.fill(32767);
        WaveView view(wave_, WaveView::MouseReports::PassThrough);
        sizeView(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        flushRepaints();
        QCOMPARE(rgbAt(shownClient(view), 50, 6), lightBlue);

        view.setEditMode(true);
        view.penPoint({100, 0});
        flushRepaints();

        const QImage shown = shownClient(view);
        for (int x = 97; x <= 102; ++x) {
            QCOMPARE(rgbAt(shown, x, 3), black);
        }
        QCOMPARE(rgbAt(shown, 96, 3), lightBlue);
        QCOMPARE(rgbAt(shown, 103, 3), lightBlue);
        QCOMPARE(rgbAt(shown, 50, 6), lightBlue);
        QCOMPARE(rgbAt(shown, 50, 7), black);

        view.update();
        flushRepaints();
        QCOMPARE(rgbAt(shownClient(view), 50, 3), black);
    }

    void doubleClick_data()
    {
        QTest::addColumn<WaveView::MouseReports>("reports");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("reported");
        QTest::newRow("notify, left") << WaveView::MouseReports::Notify << Qt::LeftButton << 1;
        QTest::newRow("notify, right") << WaveView::MouseReports::Notify << Qt::RightButton << 0;
        QTest::newRow("pass through, left") << WaveView::MouseReports::PassThrough << Qt::LeftButton << 0;
    }
    void doubleClick()
    {
        QFETCH(WaveView::MouseReports, reports);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, reported);
        WaveView view(wave_, reports);
        sizeView(view);
        QSignalSpy spy(&view, &WaveView::doubleClicked);
        QTest::mouseDClick(&view, button, {}, QPoint(50, 50));
        QCOMPARE(spy.count(), reported);
        QCOMPARE(view.testAttribute(Qt::WA_TransparentForMouseEvents),
                 reports == WaveView::MouseReports::PassThrough);
    }

    void screenshots()
    {
        const QByteArray directory = qgetenv("HWD_SCREENSHOTS");
        if (directory.isEmpty()) {
            QSKIP("HWD_SCREENSHOTS names no directory");
        }
        wave_.loaded = true;
        for (std::size_t i = 0; i < wave_.samples.size(); ++i) {
            wave_.samples[i] = static_cast<std::int16_t>(30000.0 * std::sin(static_cast<double>(i) * 6.2832 / 128.0));
        }
        WaveView view(wave_, WaveView::MouseReports::Notify);
        view.resize(340, 120);
        QVERIFY(view.grab().save(QString::fromLocal8Bit(directory) + QStringLiteral("/waveview-plain.png")));
        wave_.resampled = true;
        QVERIFY(view.grab().save(QString::fromLocal8Bit(directory) + QStringLiteral("/waveview-resampled.png")));
    }

private:
    Waveshape wave_;
};

QTEST_MAIN(WaveViewTest)
#include "tst_waveview.moc"
