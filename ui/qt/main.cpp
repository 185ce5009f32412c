#include "Application.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr const char* usageText =
    "usage: harlix-wave-dump [--help | --version]\n"
    "\n"
    "Opens the Harlix Wave Dump window. Drop a mono 16-bit WAV file on it, pick\n"
    "the MIDI port and the wave slot (97 to 128) and press Send. Nothing is\n"
    "loaded from the command line; 'wavedump --help' describes the command-line\n"
    "companion.\n"
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

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = answerInformationOption(argc, argv))
        return *status;

    QApplication application(argc, argv);
    // The class part of the window's WM_CLASS: the desktop file's StartupWMClass.
    QApplication::setApplicationName(QStringLiteral("harlix-wave-dump"));
    // The application id: the desktop file's name and, on Wayland, the window's app_id.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.harlixwavedump.harlixwavedump"));
    // No file from the command line: the program starts empty, as it does from the launcher.
    return hwd::runApplication();
}
