// The Wave Tweaker's own input, opened over a main dialog with a square wave
// and driven from inside its own modal loop: where it opens, and the pen
// points that presses and drags over its view become. Its buttons and keys
// are routes to its controller (RoutesTest).
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "RecordingController.h"

#include "ui/win32/WaveTweakerDialog.h"

#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace hwd;

namespace {

SampleArray squareSamples()
{
    SampleArray samples{};
    for (std::size_t index = 0; index < samples.size(); ++index)
        samples[index] = index < 64 ? 32767 : -32767;
    return samples;
}

HWND viewIn(HWND dialog)
{
    return GetDlgItem(dialog, IDC_WAVE_VIEW);
}

SIZE clientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// A point of the view's client area as the dialog's mouse messages carry it.
LPARAM dialogPoint(HWND dialog, int viewX, int viewY)
{
    POINT point{viewX, viewY};
    MapWindowPoints(viewIn(dialog), dialog, &point, 1);
    return MAKELPARAM(point.x, point.y);
}

// The samples that differ from the square example, by index.
std::vector<std::size_t> changedSamples(const SampleArray& samples)
{
    const SampleArray square = squareSamples();
    std::vector<std::size_t> changed;
    for (std::size_t index = 0; index < samples.size(); ++index) {
        if (samples[index] != square[index])
            changed.push_back(index);
    }
    return changed;
}

// A main dialog whose wave is the square example, ready to own the editor.
class WaveTweakerTest : public testing::Test {
protected:
    WaveTweakerTest()
    {
        harness_.wave().loaded = true;
        harness_.wave().samples = squareSamples();
    }

    // Runs the editor with script inside it; answers the editor's result.
    INT_PTR runEditor(std::function<void(HWND)> script)
    {
        watcher_.whenOpen(L"Wave Tweaker", std::move(script));
        WaveTweakerDialog editor(tweakerController_, wave());
        return editor.run(harness_.window());
    }

    Waveshape& wave() { return harness_.wave(); }

    DialogWatcher watcher_;
    RecordingController controller_;
    RecordingController tweakerController_;
    MainDialogHarness harness_{controller_};
};

TEST_F(WaveTweakerTest, OpensCentredOverItsOwner)
{
    RECT owner{};
    GetWindowRect(harness_.window(), &owner);
    RECT editor{};
    runEditor([&](HWND dialog) {
        GetWindowRect(dialog, &editor);
        EndDialog(dialog, 1);
    });
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    // Larger than its owner, so kept inside the work area where centring would push it out.
    EXPECT_GE(editor.left, workArea.left);
    EXPECT_GE(editor.top, workArea.top);
    EXPECT_LE(std::abs((editor.left + editor.right) - (owner.left + owner.right)), 2);
}

TEST_F(WaveTweakerTest, APressOnTheViewDrawsAtOnce)
{
    SIZE view{};
    runEditor([&](HWND editor) {
        view = clientSize(viewIn(editor));
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, dialogPoint(editor, view.cx / 2, view.cy * 3 / 4));
        EndDialog(editor, 1);
    });
    // Half-way across, a quarter of the height above the bottom: one sample,
    // a quarter of full scale below the middle.
    const std::vector<std::size_t> changed = changedSamples(wave().samples);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], 64u);
    EXPECT_LT(wave().samples[64], -15000);
    EXPECT_GT(wave().samples[64], -17500);
}

TEST_F(WaveTweakerTest, MovesDrawOnlyWithTheButtonDownAndAfterAPressOnTheView)
{
    SampleArray afterMoves{};
    SampleArray afterPressAndMove{};
    runEditor([&](HWND editor) {
        const SIZE view = clientSize(viewIn(editor));
        // A drag that begins on the dialog's background, right of the buttons' column.
        RECT client{};
        GetClientRect(editor, &client);
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, client.bottom - 2));
        SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, dialogPoint(editor, view.cx / 4, view.cy / 2));
        SendMessageW(editor, WM_MOUSEMOVE, 0, dialogPoint(editor, view.cx / 4, view.cy / 2));
        afterMoves = wave().samples;

        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, dialogPoint(editor, view.cx * 3 / 4, view.cy / 2));
        SendMessageW(editor, WM_LBUTTONUP, 0, dialogPoint(editor, view.cx * 3 / 4, view.cy / 2));
        SendMessageW(editor, WM_MOUSEMOVE, 0, dialogPoint(editor, view.cx / 8, view.cy / 2));
        SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, dialogPoint(editor, view.cx / 4, view.cy / 2));
        afterPressAndMove = wave().samples;
        EndDialog(editor, 1);
    });
    EXPECT_EQ(afterMoves, squareSamples());
    // The press drew one sample three quarters across, the move with the
    // button down one a quarter across, both on the middle row (about 0); the
    // move without it drew nothing.
    const std::vector<std::size_t> changed = changedSamples(afterPressAndMove);
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_NEAR(static_cast<double>(changed[0]), 32.0, 1.0);
    EXPECT_NEAR(static_cast<double>(changed[1]), 96.0, 1.0);
    EXPECT_LE(std::abs(afterPressAndMove[changed[0]]), 300);
    EXPECT_LE(std::abs(afterPressAndMove[changed[1]]), 300);
}

TEST_F(WaveTweakerTest, ThePressOnTheSunkenEdgeCountsAsAPressOnTheView)
{
    runEditor([&](HWND editor) {
        const SIZE view = clientSize(viewIn(editor));
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, dialogPoint(editor, -1, view.cy / 4));
        EndDialog(editor, 1);
    });
    // The first sample, a quarter of full scale above the middle.
    EXPECT_EQ(changedSamples(wave().samples), std::vector<std::size_t>{0});
    EXPECT_GT(wave().samples[0], 15000);
    EXPECT_LT(wave().samples[0], 17500);
}

TEST_F(WaveTweakerTest, TheSecondClickOfADoubleClickDrawsNothing)
{
    bool repaintedBySecondClick = true;
    std::int16_t afterSecondClick = 0;
    runEditor([&](HWND editor) {
        const SIZE view = clientSize(viewIn(editor));
        const LPARAM point = dialogPoint(editor, view.cx / 2, view.cy / 4);
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(editor, WM_LBUTTONUP, 0, point);
        wave().samples[64] = 1234;
        UpdateWindow(editor);
        ValidateRect(viewIn(editor), nullptr);
        SendMessageW(editor, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        SendMessageW(editor, WM_LBUTTONUP, 0, point);
        afterSecondClick = wave().samples[64];
        repaintedBySecondClick = GetUpdateRect(viewIn(editor), nullptr, FALSE) != FALSE;
        EndDialog(editor, 1);
    });
    EXPECT_EQ(afterSecondClick, 1234);
    EXPECT_FALSE(repaintedBySecondClick);
}

} // namespace
