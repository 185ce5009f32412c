// The main dialog's routes to its modal windows: a double click on the wave
// opens the Wave Tweaker (only with a wave loaded, on the NT family) and the
// view is repainted once it closes; About... opens the About box on any
// notification, which every key and button that should end it ends.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/TestWaves.h"

#include "ui/win32/AboutDialog.h"

#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

void sendViewNotification(const MainDialogHarness& harness, WORD notification)
{
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, notification),
                 reinterpret_cast<LPARAM>(harness.control(IDC_WAVE_VIEW)));
}

TEST(MainDialogDoubleClick, OpensNothingBeforeAWaveIsLoaded)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    sendViewNotification(harness, STN_DBLCLK);
    EXPECT_EQ(watcher.opened(L"Wave Tweaker"), 0);
}

TEST(MainDialogDoubleClick, OpensNothingOutsideTheNTFamily)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::square)});
    setWindowsNT(false);
    sendViewNotification(harness, STN_DBLCLK);
    EXPECT_EQ(watcher.opened(L"Wave Tweaker"), 0);
}

TEST(MainDialogDoubleClick, ASingleClickOpensNothing)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::square)});
    sendViewNotification(harness, STN_CLICKED);
    EXPECT_EQ(watcher.opened(L"Wave Tweaker"), 0);
}

TEST(MainDialogDoubleClick, OpensTheWaveTweakerOwnedByTheDialogAndRepaintsTheViewAfterIt)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();
    HWND owner = nullptr;
    bool viewValidBeforeTheEnd = false;
    watcher.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        owner = GetWindow(editor, GW_OWNER);
        SendMessageW(GetDlgItem(editor, IDC_CLEAR), BM_CLICK, 0, 0);
        // Off the main dialog, so that closing the editor exposes nothing of it.
        SetWindowPos(editor, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(harness.window(), nullptr, 800, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(harness.window());
        viewValidBeforeTheEnd = !GetUpdateRect(harness.control(IDC_WAVE_VIEW), nullptr, FALSE);
        PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
    });
    sendViewNotification(harness, STN_DBLCLK);

    EXPECT_EQ(watcher.opened(L"Wave Tweaker"), 1);
    EXPECT_EQ(owner, harness.window());
    EXPECT_EQ(currentWaveshape().samples, SampleArray{});
    EXPECT_TRUE(viewValidBeforeTheEnd);
    RECT client{};
    GetClientRect(harness.control(IDC_WAVE_VIEW), &client);
    RECT invalid{};
    GetUpdateRect(harness.control(IDC_WAVE_VIEW), &invalid, FALSE);
    EXPECT_TRUE(EqualRect(&client, &invalid));
}

std::wstring centredText(HWND about)
{
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER)
            return windowText(child);
    }
    return {};
}

TEST(MainDialogAbout, OpensOnAnyNotificationCentredOverTheDialog)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    // Away from the middle of the screen, where the work area's centre would do as well.
    SetWindowPos(harness.window(), nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND owner = nullptr;
    std::wstring text;
    RECT box{};
    watcher.whenOpen(L"About", [&](HWND about) {
        owner = GetWindow(about, GW_OWNER);
        text = centredText(about);
        GetWindowRect(about, &box);
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 1), 0);

    EXPECT_EQ(watcher.opened(L"About"), 1);
    EXPECT_EQ(owner, harness.window());
    EXPECT_EQ(text.rfind(L"Harlix WaveDump Applet v1.3\r\n\r\n", 0), 0u) << std::string(text.begin(), text.end());
    RECT frame{};
    GetWindowRect(harness.window(), &frame);
    EXPECT_LE(std::abs((box.left + box.right) - (frame.left + frame.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (frame.top + frame.bottom)), 2);
    EXPECT_TRUE(IsWindowEnabled(harness.window()));
}

struct Ending {
    const char* name;
    std::function<void(HWND)> end;
    INT_PTR result;
};

class AboutEnding : public testing::TestWithParam<Ending> {};

TEST_P(AboutEnding, EndsTheBoxAndLeavesTheDialogAsItWas)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();
    watcher.whenOpen(L"About", GetParam().end);
    // The loop runs, so that a box left open would keep it from its quit.
    const int exitCode = harness.run([&] {
        SendMessageW(harness.control(ID_APP_ABOUT), BM_CLICK, 0, 0);
        PostQuitMessage(0);
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(watcher.opened(L"About"), 1);
    EXPECT_EQ(FindWindowW(L"#32770", L"About"), nullptr);
    EXPECT_TRUE(IsWindow(harness.window()));
    EXPECT_TRUE(IsWindowEnabled(harness.window()));
    EXPECT_TRUE(currentWaveshape().loaded);
    EXPECT_EQ(harness.fileNameText(), TestWaves::file(TestWaves::square).wstring());

    // The box's own result, which the dialog ignores.
    watcher.whenOpen(L"About", GetParam().end);
    AboutDialog about;
    EXPECT_EQ(about.run(harness.window()), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, AboutEnding,
    testing::Values(Ending{"Ok", [](HWND about) { SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, IDOK},
                    Ending{"Enter", [](HWND about) { postKey(VK_RETURN, about); }, IDOK},
                    Ending{"Esc", [](HWND about) { postKey(VK_ESCAPE, about); }, IDCANCEL},
                    Ending{"CloseBox", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL}),
    CaseNames::byName);

TEST(MainDialogAbout, NearTheScreenEdgeStaysInsideTheWorkArea)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    // The dialog partly beyond the bottom-right corner of the work area.
    SetWindowPos(harness.window(), nullptr, workArea.right - 60, workArea.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    RECT box{};
    watcher.whenOpen(L"About", [&](HWND about) {
        GetWindowRect(about, &box);
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, BN_CLICKED), 0);
    ASSERT_EQ(watcher.opened(L"About"), 1);
    EXPECT_EQ(box.right, workArea.right);
    EXPECT_EQ(box.bottom, workArea.bottom);
}

} // namespace
