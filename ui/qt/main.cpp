#include "Application.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* usageText =
    "usage: harlix-wave-dump [FILE]\n"
    "       harlix-wave-dump --help | --version\n"
    "\n"
    "Opens the Harlix Wave Dump window, with FILE loaded when one is named. Drop\n"
    "a mono 16-bit WAV file on it or open one with Ctrl+O, pick the MIDI port and\n"
    "the wave slot (97 to 128) and press Send. Ctrl+S saves the wave as a WAV\n"
    "file or a SysEx dump, Ctrl+L listens to it. 'wavedump --help' describes the\n"
    "command-line companion.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

// --help and --version are answered before Qt starts, so that they need no
// display; any other argument is left to Qt, as before.
std::optional<int> answerInformationOption(int argc, char** argv)
{
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "--version") == 0) {
            std::printf("harlix-wave-dump %s\n", HWD_VERSION_STRING);
            return 0;
        }
        if (std::strcmp(argv[index], "--help") == 0 || std::strcmp(argv[index], "-h") == 0) {
            std::fputs(usageText, stdout);
            return 0;
        }
    }
    return std::nullopt;
}

// The first argument that Qt has left: the file to load, by the very bytes that
// name it. Empty when none is named.
std::filesystem::path commandLineFile(int argc, char** argv)
{
    if (argc < 2)
        return {};
    return std::filesystem::path(argv[1]);
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = answerInformationOption(argc, argv))
        return *status;

    // Takes its own options (-platform, -style, ...) out of argc and argv.
    QApplication application(argc, argv);
    // The class part of the window's WM_CLASS: the desktop file's StartupWMClass.
    QApplication::setApplicationName(QStringLiteral("harlix-wave-dump"));
    // The application id: the desktop file's name and, on Wayland, the window's app_id.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.harlixwavedump.harlixwavedump"));
    return hwd::runApplication(Qt::WindowNoState, commandLineFile(argc, argv));
}
