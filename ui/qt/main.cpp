#include "Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("harlix-wave-dump"));
    QGuiApplication::setDesktopFileName(QStringLiteral("harlix-wave-dump"));
    // No file from the command line: the program starts empty, as it does from the launcher.
    return runApplication();
}
