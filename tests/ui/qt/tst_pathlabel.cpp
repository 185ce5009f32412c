// The file-name box's path ellipsis: a long path loses its middle and keeps
// its last component.

#include "ui/qt/PathLabel.h"

#include <QFontMetrics>
#include <QTest>

using namespace hwd;

class TestPathLabel final : public QObject {
    Q_OBJECT

private slots:
    void elidedPath_data();
    void elidedPath();
};

void TestPathLabel::elidedPath_data()
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

void TestPathLabel::elidedPath()
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

QTEST_MAIN(TestPathLabel)
#include "tst_pathlabel.moc"
