// Pictures of every window of the desktop program for a person to look at:
// the main dialog empty and loaded, the warning box, the picture's context
// menu, the Save Wave As dialog, the Wave Tweaker after some drawing, and the
// About box, each as a BMP file in the current folder.
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "support/MouseInput.h"
#include "support/Pixels.h"
#include "support/PopupMenuScript.h"
#include "support/TestWaves.h"

#include "ui/win32/Module.h"

#include "ui/win32/Win32FileChooser.h"

#include "app/ResourceIds.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace hwd;

namespace {

std::vector<std::wstring> saved;
// Taken at the start: the file dialogs move the current folder while they are open.
std::filesystem::path outputFolder;

void save(HWND window, const wchar_t* name)
{
    UpdateWindow(window);
    const Pixels pixels = Pixels::of(window, Pixels::Area::Window);
    pixels.saveBmp(outputFolder / (std::wstring(name) + L".bmp"));
    saved.emplace_back(name);
}

// The dialog with the menu open over it, from the screen.
void saveWithMenu(HWND dialog, HWND menu, const wchar_t* name)
{
    RedrawWindow(menu, nullptr, nullptr, RDW_UPDATENOW);
    RECT both{};
    RECT dialogArea{};
    RECT menuArea{};
    GetWindowRect(dialog, &dialogArea);
    GetWindowRect(menu, &menuArea);
    UnionRect(&both, &dialogArea, &menuArea);
    Pixels::ofScreen(both).saveBmp(outputFolder / (std::wstring(name) + L".bmp"));
    saved.emplace_back(name);
}

void drawOn(HWND editor)
{
    const HWND view = GetDlgItem(editor, IDC_WAVE_VIEW);
    RECT client{};
    GetClientRect(view, &client);
    POINT point{client.right / 8, client.bottom / 5};
    MapWindowPoints(view, editor, &point, 1);
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    // A stroke down and across, one pen point per few pixels.
    for (int step = 1; step <= 40; ++step) {
        POINT next{client.right / 8 + step * 3, client.bottom / 5 + step * 7};
        MapWindowPoints(view, editor, &next, 1);
        SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(next.x, next.y));
    }
    SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

} // namespace

int main()
{
    outputFolder = std::filesystem::current_path();
    (void)CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    (void)InitCommonControlsEx(&controls);
    Module::initialise(GetModuleHandleW(nullptr));
    {
        DialogWatcher watcher;
        MainDialogHarness harness;
        harness.runUntilIdle();
        save(harness.window(), L"main-empty");

        watcher.whileMessageBoxShows = [](HWND box) { save(box, L"warning-box"); };
        harness.drop({TestWaves::file(TestWaves::stereo)});
        harness.runUntilIdle();
        save(harness.window(), L"main-refused");

        harness.drop({TestWaves::file(TestWaves::longSine)});
        harness.runUntilIdle();
        save(harness.window(), L"main-loaded");

        {
            PopupMenuScript menu;
            menu.whileOpen = [&](HWND menuWindow) { saveWithMenu(harness.window(), menuWindow, L"context-menu"); };
            const HWND view = harness.control(IDC_WAVE_VIEW);
            RECT client{};
            GetClientRect(view, &client);
            rightClickAt(view, {client.right / 3, client.bottom / 3});
            harness.runUntilIdle();
        }

        watcher.whenOpen(Win32FileChooser::saveTitle, [](HWND dialog) {
            save(dialog, L"save-wave-as");
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        harness.dialog().runPictureCommand(ID_FILE_SAVE_AS, harness.window());

        watcher.whenOpen(L"Wave Tweaker", [](HWND editor) {
            save(editor, L"wave-tweaker-opened");
            drawOn(editor);
            save(editor, L"wave-tweaker-drawn");
            PostMessageW(editor, WM_COMMAND, IDOK, 0);
        });
        SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
        harness.runUntilIdle();
        save(harness.window(), L"main-edited");

        watcher.whenOpen(L"About", [](HWND about) {
            save(about, L"about");
            PostMessageW(about, WM_COMMAND, IDOK, 0);
        });
        SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, BN_CLICKED), 0);
    }
    Module::terminate();
    CoUninitialize();
    for (const std::wstring& name : saved)
        std::printf("%ls.bmp\n", name.c_str());
    return saved.size() == 10 ? 0 : 1;
}
