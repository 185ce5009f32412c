// The desktop tests' entry point: the platform set up as the program's own
// entry point does it, then every test on this one user-interface thread.
#include "support/DialogWatcher.h"

#include "ui/win32/Module.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>

using namespace hwd;

int main(int argc, char** argv)
{
    (void)CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    (void)InitCommonControlsEx(&controls);
    Module::initialise(GetModuleHandleW(nullptr));

    testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        DialogWatcher strayBoxes;
        strayBoxes.failOnMessageBox = true;
        result = RUN_ALL_TESTS();
    }

    Module::terminate();
    CoUninitialize();
    return result;
}
