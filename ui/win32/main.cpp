// The desktop program's entry point: the platform set up, the program run, and
// the set-up undone in reverse order. A file named on the command line is
// opened at start.
#include "Application.h"
#include "CommandLine.h"
#include "Module.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    (void)CoInitialize(nullptr);
    (void)DefWindowProcW(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    (void)InitCommonControlsEx(&controls);

    hwd::Module::initialise(instance);
    const int exitCode = hwd::runApplication(showCommand, hwd::fileNamedOnCommandLine(GetCommandLineW()));
    hwd::Module::terminate();

    CoUninitialize();
    return exitCode;
}
