// The Wave Tweaker, opened over a main dialog with the square example loaded
// and driven from inside its own modal loop: its opening snapshot, its six
// buttons, the pen input over its view, and how it ends.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/Pixels.h"
#include "support/TestWaves.h"

#include "ui/win32/WaveTweakerDialog.h"

#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

constexpr std::uint32_t fixedSeed = 20240601;

std::uint32_t fixedSeedSource()
{
    return fixedSeed;
}

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

// A main dialog with the square example loaded, ready to own the editor.
class WaveTweakerTest : public testing::Test {
protected:
    WaveTweakerTest()
    {
        harness_.drop({TestWaves::file(TestWaves::square)});
        harness_.runUntilIdle();
    }

    // Runs the editor with script inside it; answers the editor's result.
    INT_PTR runEditor(std::function<void(HWND)> script)
    {
        watcher_.whenOpen(L"Wave Tweaker", std::move(script));
        WaveTweakerDialog editor(currentWaveshape(), &fixedSeedSource);
        return editor.run(harness_.window());
    }

    Waveshape& wave() { return currentWaveshape(); }

    DialogWatcher watcher_;
    MainDialogHarness harness_;
};

TEST_F(WaveTweakerTest, OpeningTakesTheSnapshotAndEscapeKeepsTheWave)
{
    wave().undo.fill(7);
    HWND owner = nullptr;
    const INT_PTR result = runEditor([&](HWND editor) {
        owner = GetWindow(editor, GW_OWNER);
        postKey(VK_ESCAPE, editor);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(owner, harness_.window());
    EXPECT_EQ(wave().samples, squareSamples());
    EXPECT_EQ(wave().undo, squareSamples());
}

TEST_F(WaveTweakerTest, EnterPressesOkAndTheEditStays)
{
    const INT_PTR result = runEditor([&](HWND editor) {
        SendMessageW(GetDlgItem(editor, IDC_CLEAR), BM_CLICK, 0, 0);
        postKey(VK_RETURN, editor);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(wave().samples, SampleArray{});
}

TEST_F(WaveTweakerTest, OpensCentredOverItsOwner)
{
    RECT owner{};
    GetWindowRect(harness_.window(), &owner);
    RECT editor{};
    runEditor([&](HWND dialog) {
        GetWindowRect(dialog, &editor);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    // Larger than its owner, so kept inside the work area where centring would push it out.
    EXPECT_GE(editor.left, workArea.left);
    EXPECT_GE(editor.top, workArea.top);
    EXPECT_LE(std::abs((editor.left + editor.right) - (owner.left + owner.right)), 2);
}

struct ButtonCase {
    const char* name;
    int id;
    void (*operation)(Waveshape&);
};

class WaveTweakerButton : public WaveTweakerTest, public testing::WithParamInterface<ButtonCase> {};

// Each button against the operation it stands for, run on a copy of a square
// wave at half height; Undo after a Filter click, so that it has something to
// undo. The view, painted before the click, shows the new wave at the next
// paint: the click asked for its repaint.
TEST_P(WaveTweakerButton, RunsItsOperationAndRepaintsTheView)
{
    for (std::int16_t& sample : wave().samples)
        sample = static_cast<std::int16_t>(sample / 2);
    const bool undo = GetParam().id == IDC_UNDO;
    Waveshape expected = wave();
    if (undo)
        WaveOperations::filter(expected);
    const SampleArray beforeTheClick = expected.samples;
    GetParam().operation(expected);
    ASSERT_NE(expected.samples, beforeTheClick);

    Pixels before;
    Pixels after;
    runEditor([&](HWND editor) {
        if (undo)
            SendMessageW(GetDlgItem(editor, IDC_FILTER), BM_CLICK, 0, 0);
        before = Pixels::of(viewIn(editor));
        SendMessageW(GetDlgItem(editor, GetParam().id), BM_CLICK, 0, 0);
        after = Pixels::of(viewIn(editor));
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(wave().samples, expected.samples);
    EXPECT_EQ(wave().undo, expected.undo);
    EXPECT_FALSE(after == before);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, WaveTweakerButton,
    testing::Values(ButtonCase{"Filter", IDC_FILTER, &WaveOperations::filter},
                    ButtonCase{"Normalize", IDC_NORMALIZE, &WaveOperations::normalize},
                    ButtonCase{"Additive", IDC_ADDITIVE, &WaveOperations::additive},
                    ButtonCase{"RandomPD", IDC_RANDOM_PD, [](Waveshape& wave) { WaveOperations::randomPD(wave, fixedSeed); }},
                    ButtonCase{"Clear", IDC_CLEAR, &WaveOperations::clear},
                    ButtonCase{"Undo", IDC_UNDO, &WaveOperations::undoLast}),
    CaseNames::byName);

TEST_F(WaveTweakerTest, AButtonActsOnlyOnItsClick)
{
    runEditor([&](HWND editor) {
        SendMessageW(editor, WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_DOUBLECLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(editor, IDC_CLEAR)));
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(wave().samples, squareSamples());
}

TEST_F(WaveTweakerTest, APressOnTheViewDrawsAtOnce)
{
    SIZE view{};
    runEditor([&](HWND editor) {
        view = clientSize(viewIn(editor));
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, dialogPoint(editor, view.cx / 2, view.cy * 3 / 4));
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
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
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
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
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
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
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(afterSecondClick, 1234);
    EXPECT_FALSE(repaintedBySecondClick);
}

TEST_F(WaveTweakerTest, AfterTheFirstPressAButtonRepaintsAtFullScale)
{
    Pixels before;
    Pixels after;
    runEditor([&](HWND editor) {
        const HWND view = viewIn(editor);
        const SIZE size = clientSize(view);
        before = Pixels::of(view);
        // A press in the falling half leaves the rising half as it was.
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, dialogPoint(editor, size.cx * 7 / 8, size.cy / 2));
        SendMessageW(editor, WM_LBUTTONUP, 0, dialogPoint(editor, size.cx * 7 / 8, size.cy / 2));
        SendMessageW(GetDlgItem(editor, IDC_UNDO), BM_CLICK, 0, 0);
        InvalidateRect(view, nullptr, FALSE);
        after = Pixels::of(view);
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    const int column = before.width() / 4;
    // Full scale is 143 of 300 rows above the middle with the margin, all 150 without.
    const int nearTop = before.height() / 100 + 2;
    EXPECT_EQ(before.at(column, nearTop), boxBlue);
    EXPECT_EQ(after.at(column, nearTop), black);
}

} // namespace
