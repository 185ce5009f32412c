// The dialogs' centring rule and the file-name box's path ellipsis.

#include "ui/qt/PathLabel.h"
#include "ui/qt/WindowCentring.h"

#include <QFontMetrics>
#include <QTest>

class TestPlacementAndPaths final : public QObject {
    Q_OBJECT

private slots:
    void centredOn_data();
    void centredOn();
    void keptInside_data();
    void keptInside();
    void elidedPath_data();
    void elidedPath();
};

void TestPlacementAndPaths::centredOn_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("even") << QRect(0, 0, 800, 600) << QSize(400, 200) << QPoint(200, 200);
    QTest::newRow("odd remainder") << QRect(0, 0, 801, 601) << QSize(400, 200) << QPoint(200, 200);
    QTest::newRow("odd window: each half truncated") << QRect(0, 0, 800, 600) << QSize(401, 201) << QPoint(200, 200);
    QTest::newRow("offset area") << QRect(100, 50, 400, 300) << QSize(100, 100) << QPoint(250, 150);
    QTest::newRow("larger than the area") << QRect(0, 0, 200, 200) << QSize(300, 300) << QPoint(-50, -50);
}

void TestPlacementAndPaths::centredOn()
{
    QFETCH(QRect, area);
    QFETCH(QSize, size);
    QFETCH(QPoint, topLeft);
    QCOMPARE(WindowCentring::centredOn(area, size), topLeft);
}

void TestPlacementAndPaths::keptInside_data()
{
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");
    const QSize box(200, 100);
    QTest::newRow("already inside") << QPoint(10, 10) << box << QPoint(10, 10);
    QTest::newRow("past the right") << QPoint(700, 10) << box << QPoint(600, 10);
    QTest::newRow("past the bottom") << QPoint(10, 550) << box << QPoint(10, 500);
    QTest::newRow("past the left and top") << QPoint(-30, -5) << box << QPoint(0, 0);
    QTest::newRow("too big: left and top win") << QPoint(-100, -100) << QSize(1000, 900) << QPoint(0, 0);
    QTest::newRow("too big, pushed from the right") << QPoint(300, 300) << QSize(1000, 900) << QPoint(0, 0);
}

void TestPlacementAndPaths::keptInside()
{
    QFETCH(QPoint, topLeft);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowCentring::keptInside(topLeft, size, QRect(0, 0, 800, 600)), expected);
}

void TestPlacementAndPaths::elidedPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("widthInCharacters");
    QTest::addColumn<QString>("keeps");   // the end that must stay whole

    QTest::newRow("fits") << "/tmp/a.wav" << 40 << "/tmp/a.wav";
    QTest::newRow("long folder") << "/home/user/some/deeply/nested/folder/of/samples/wave.wav" << 30 << "/wave.wav";
    QTest::newRow("Windows separators") << "C:\\Users\\someone\\Music\\Waves\\A Long Folder\\saw.wav" << 25
                                        << "\\saw.wav";
    QTest::newRow("no folder") << "a-very-long-file-name-without-any-folder.wav" << 20 << QString();
    QTest::newRow("name wider than the box") << "/x/an-extremely-long-file-name-for-a-small-box.wav" << 12
                                             << QString();
}

void TestPlacementAndPaths::elidedPath()
{
    QFETCH(QString, path);
    QFETCH(int, widthInCharacters);
    QFETCH(QString, keeps);

    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const int width = widthInCharacters * metrics.averageCharWidth();
    const QString shown = PathLabel::elidedPath(path, metrics, width);
    QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
    if (metrics.horizontalAdvance(path) <= width) {
        QCOMPARE(shown, path);
        return;
    }
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    if (!keeps.isEmpty()) {
        QVERIFY2(shown.endsWith(keeps), qPrintable(shown));
        QVERIFY2(shown.startsWith(path.left(2)), qPrintable(shown));
    }
}

QTEST_MAIN(TestPlacementAndPaths)
#include "tst_placementandpaths.moc"
