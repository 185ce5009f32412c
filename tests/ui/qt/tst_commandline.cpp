// The desktop program's command line, run as a terminal runs it: --version and
// --help answer on standard output without a display; a file named after Qt's
// own options is opened once the program runs.

#include "FileBytes.h"
#include "Subprocess.h"
#include "WavBytes.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

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
    void theNamedFileIsOpenedAfterQtsOwnOptions();
};

void TestCommandLine::informationOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<bool>("isUsage");

    const QString version = QStringLiteral("harlix-wave-dump " HWD_PROJECT_VERSION);
    const QString usage = QStringLiteral("usage: harlix-wave-dump [FILE]");
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

// The system reports each open of the file: the program opens and closes it
// once it runs, and nothing else opens it. Qt's -platform option comes first
// and must not be taken for the file.
void TestCommandLine::theNamedFileIsOpenedAfterQtsOwnOptions()
{
    QTemporaryDir folder;
    const std::string file = folder.filePath(QStringLiteral("named file.wav")).toStdString();
    FileBytes::write(file, WavBytes::riff({WavBytes::formatChunk(), WavBytes::chunk("data", std::string(256, '\x10'))}));

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, file.c_str(), IN_OPEN | IN_CLOSE_NOWRITE) >= 0);

    Subprocess::Options options;
    options.unsetEnvironment = {"QT_QPA_PLATFORM"};
    options.timeout = std::chrono::seconds(5);
    Subprocess::Result run;
    std::thread program([&] {
        run = Subprocess::run(
            commandWith({QStringLiteral("-platform"), QStringLiteral("offscreen"), QString::fromStdString(file)}),
            options);
    });

    QStringList seen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(4500);
    while (!seen.contains(QStringLiteral("closed")) && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 100) <= 0)
            continue;
        alignas(inotify_event) char buffer[4096];
        const ssize_t length = ::read(watch, buffer, sizeof buffer);
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_OPEN)
                seen << QStringLiteral("opened");
            if (event->mask & IN_CLOSE_NOWRITE)
                seen << QStringLiteral("closed");
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    program.join();
    ::close(watch);
    QVERIFY2(!seen.isEmpty(), qPrintable(QStringLiteral("the program never opened the file; exit code %1, errors: %2")
                                             .arg(run.exitCode)
                                             .arg(QString::fromStdString(run.err))));
    QCOMPARE(seen, (QStringList{QStringLiteral("opened"), QStringLiteral("closed")}));
    // The window stays open with the file loaded, until it is closed.
    QVERIFY(run.timedOut);
    QCOMPARE(QString::fromStdString(run.out), QString());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
