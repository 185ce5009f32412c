// The About box as the main dialog runs it: its text, where it opens, and
// every key and button that should end it.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "RecordingController.h"

#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

std::wstring centredText(HWND about)
{
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER)
            return windowText(child);
    }
    return {};
}

class AboutDialogTest : public testing::Test {
protected:
    int runAbout(std::function<void(HWND)> script)
    {
        watcher_.whenOpen(L"About", std::move(script));
        SetActiveWindow(harness_.window());
        return harness_.dialog().runModal(IDD_ABOUTBOX, nullptr);
    }

    DialogWatcher watcher_;
    RecordingController controller_;
    MainDialogHarness harness_{controller_};
};

TEST_F(AboutDialogTest, ShowsTheProgramAndVersionCentredOverTheDialog)
{
    // Away from the middle of the screen, where the work area's centre would do as well.
    SetWindowPos(harness_.window(), nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::wstring text;
    RECT box{};
    runAbout([&](HWND about) {
        text = centredText(about);
        GetWindowRect(about, &box);
        EndDialog(about, IDOK);
    });
    ASSERT_EQ(watcher_.opened(L"About"), 1);
    EXPECT_EQ(text.rfind(L"Harlix WaveDump Applet v1.3\r\n\r\n", 0), 0u) << std::string(text.begin(), text.end());
    RECT frame{};
    GetWindowRect(harness_.window(), &frame);
    EXPECT_LE(std::abs((box.left + box.right) - (frame.left + frame.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (frame.top + frame.bottom)), 2);
    EXPECT_TRUE(IsWindowEnabled(harness_.window()));
}

TEST_F(AboutDialogTest, NearTheScreenEdgeStaysInsideTheWorkArea)
{
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    // The dialog partly beyond the bottom-right corner of the work area.
    SetWindowPos(harness_.window(), nullptr, workArea.right - 60, workArea.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    RECT box{};
    runAbout([&](HWND about) {
        GetWindowRect(about, &box);
        EndDialog(about, IDOK);
    });
    ASSERT_EQ(watcher_.opened(L"About"), 1);
    EXPECT_EQ(box.right, workArea.right);
    EXPECT_EQ(box.bottom, workArea.bottom);
}

struct Ending {
    const char* name;
    std::function<void(HWND)> end;
    int result;
};

class AboutEnding : public AboutDialogTest, public testing::WithParamInterface<Ending> {};

TEST_P(AboutEnding, EndsTheBoxWithItsResult)
{
    EXPECT_EQ(runAbout(GetParam().end), GetParam().result);
    EXPECT_EQ(FindWindowW(L"#32770", L"About"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(harness_.window()));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, AboutEnding,
    testing::Values(
        Ending{"Ok", [](HWND about) { SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, IDOK},
        Ending{"Enter", [](HWND about) { postKeyDown(GetFocus() != nullptr ? GetFocus() : about, VK_RETURN); }, IDOK},
        Ending{"Esc", [](HWND about) { postKeyDown(GetFocus() != nullptr ? GetFocus() : about, VK_ESCAPE); }, IDCANCEL},
        Ending{"CloseBox", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL}),
    CaseNames::byName);

} // namespace
