// The desktop program's command line, run as a terminal runs it: --version and
// --help answer on standard output without a display; anything else still
// opens the window.

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString program = QStringLiteral(HARLIX_WAVE_DUMP_PROGRAM);

// No display of any kind, and the X11 platform asked for: a program that
// started Qt's GUI here would fail to connect and abort.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

} // namespace

class TestCommandLine final : public QObject {
    Q_OBJECT

private slots:
    void informationOptions_data();
    void informationOptions();
    void otherArgumentsStillOpenTheWindow();
};

void TestCommandLine::informationOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<bool>("isUsage");

    const QString version = QStringLiteral("harlix-wave-dump " HWD_PROJECT_VERSION);
    const QString usage = QStringLiteral("usage: harlix-wave-dump [--help | --version]");
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << version << false;
    QTest::newRow("version after Qt's own options")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--version")} << version
        << false;
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << usage << true;
    QTest::newRow("h") << QStringList{QStringLiteral("-h")} << usage << true;
    QTest::newRow("help after a file name")
        << QStringList{QStringLiteral("saw.wav"), QStringLiteral("--help")} << usage << true;
}

void TestCommandLine::informationOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, firstLine);
    QFETCH(bool, isUsage);

    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    process.start(program, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());

    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.endsWith(QLatin1Char('\n')), qPrintable(out));
    const QStringList lines = out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), firstLine);
    if (isUsage) {
        // The usage describes both options it answers, each on a line of its own.
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^  --help +\\S"))).size(), 1);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^  --version +\\S"))).size(), 1);
    } else {
        QCOMPARE(lines.size(), 1);
    }
}

void TestCommandLine::otherArgumentsStillOpenTheWindow()
{
    // A file name and an unknown option are neither loaded nor refused: the
    // program opens its window and runs until it is closed.
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, {QStringLiteral(HWD_SOURCE_DIR "/examples/saw.wav"), QStringLiteral("--bogus")});
    QVERIFY(process.waitForStarted(60000));
    const bool ended = process.waitForFinished(3000);
    if (!ended) {
        process.kill();
        process.waitForFinished(60000);
    }
    QVERIFY2(!ended, qPrintable(QStringLiteral("exit code %1, standard output: %2")
                                    .arg(process.exitCode())
                                    .arg(QString::fromUtf8(process.readAllStandardOutput()))));
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), QString());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
