// The desktop program's command line, run as a terminal runs it: --version and
// --help answer on standard output without a display; anything else still
// opens the window.

#include "Subprocess.h"

#include <QRegularExpression>
#include <QTest>

#include <chrono>
#include <string>
#include <vector>

namespace {

// The program with these arguments.
std::vector<std::string> commandWith(const QStringList& arguments)
{
    std::vector<std::string> command{HARLIX_WAVE_DUMP_PROGRAM};
    for (const QString& argument : arguments)
        command.push_back(argument.toStdString());
    return command;
}

// No display of any kind, and the X11 platform asked for: a program that
// started Qt's GUI here would fail to connect and abort.
Subprocess::Options withoutDisplay()
{
    Subprocess::Options options;
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
    options.setEnvironment = {{"QT_QPA_PLATFORM", "xcb"}};
    return options;
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

    const Subprocess::Result run = Subprocess::run(commandWith(arguments), withoutDisplay());
    QVERIFY(!run.timedOut);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromStdString(run.err), QString());

    const QString out = QString::fromStdString(run.out);
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
    Subprocess::Options options;
    options.setEnvironment = {{"QT_QPA_PLATFORM", "offscreen"}};
    options.timeout = std::chrono::seconds(3);
    const Subprocess::Result run =
        Subprocess::run(commandWith({QStringLiteral(HWD_SOURCE_DIR "/examples/saw.wav"), QStringLiteral("--bogus")}),
                        options);
    QVERIFY2(run.timedOut, qPrintable(QStringLiteral("exit code %1, standard output: %2")
                                          .arg(run.exitCode)
                                          .arg(QString::fromStdString(run.out))));
    QCOMPARE(QString::fromStdString(run.out), QString());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
