// The desktop program's start-up exactly as its entry point does it, with the
// time of the main dialog's first paint reported and the dialog then closed
// like Quit does.
#include "FirstPaint.h"

#include "ui/win32/Application.h"
#include "ui/win32/Module.h"

#include <commctrl.h>
#include <objbase.h>

using namespace hwd;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    const FirstPaint::Reporter reporter(L"Harlix Wave Dump");
    (void)CoInitialize(nullptr);
    (void)DefWindowProcW(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    (void)InitCommonControlsEx(&controls);
    Module::initialise(instance);
    const int exitCode = runApplication(showCommand);
    Module::terminate();
    CoUninitialize();
    return exitCode == 2 ? 0 : 1;
}
