// The wave view on a static control of a window of its own, sized to a client
// area of 384 x 300 pixels: its picture read back pixel by pixel, its pen
// points, and the repaints they ask for.
#include "support/Pixels.h"

#include "ui/win32/WaveView.h"

#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

using namespace hwd;

namespace {

constexpr int clientWidth = 384;
constexpr int clientHeight = 300;

// The square example: 64 samples at 32767, then 64 at -32767.
Waveshape squareWave()
{
    Waveshape wave;
    wave.loaded = true;
    for (std::size_t index = 0; index < 128; ++index)
        wave.samples[index] = index < 64 ? 32767 : -32767;
    return wave;
}

class WaveViewTest : public testing::Test {
protected:
    WaveViewTest()
    {
        setWindowsNT(true);
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 600, 500, nullptr, nullptr,
                                  nullptr, nullptr);
        control_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME | SS_SUNKEN, 10, 10,
                                   clientWidth, clientHeight, parent_, reinterpret_cast<HMENU>(IDC_WAVE_VIEW), nullptr,
                                   nullptr);
        // The sunken edge lies outside the client area: grow the control by it.
        RECT client{};
        GetClientRect(control_, &client);
        SetWindowPos(control_, nullptr, 0, 0, 2 * clientWidth - client.right, 2 * clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER);
        originalProcedure_ = GetWindowLongPtrW(control_, GWLP_WNDPROC);
        view_.takeOver(parent_);
        UpdateWindow(parent_);
    }

    ~WaveViewTest() override
    {
        DestroyWindow(parent_);
        setWindowsNT(false);
    }

    void pen(int x, int y)
    {
        POINT point{x, y};
        SendMessageW(control_, WM_WAVEVIEW_PEN, reinterpret_cast<WPARAM>(&point), 0);
    }

    RECT updateRect() const
    {
        RECT rect{};
        GetUpdateRect(control_, &rect, FALSE);
        return rect;
    }

    Pixels picture()
    {
        InvalidateRect(control_, nullptr, TRUE);
        return Pixels::of(control_);
    }

    Waveshape wave_;
    WaveView view_{wave_};
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
    LONG_PTR originalProcedure_ = 0;
};

TEST_F(WaveViewTest, TakesTheControlOverAndKeepsItsOwnBehaviour)
{
    RECT client{};
    GetClientRect(control_, &client);
    ASSERT_EQ(client.right, clientWidth);
    ASSERT_EQ(client.bottom, clientHeight);
    EXPECT_EQ(view_.window(), control_);
    EXPECT_NE(GetWindowLongPtrW(control_, GWLP_WNDPROC), originalProcedure_);
    EXPECT_FALSE(view_.editMode());
    // A static without the notify style lets the mouse through to its dialog.
    EXPECT_EQ(SendMessageW(control_, WM_NCHITTEST, 0, MAKELPARAM(100, 100)), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(control_, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(WaveViewTest, LetsGoOfTheControlWhenItIsDestroyed)
{
    DestroyWindow(control_);
    EXPECT_EQ(view_.window(), nullptr);
}

TEST_F(WaveViewTest, PenPointsOfTheExampleClientArea)
{
    view_.setEditMode(true);
    wave_.samples.fill(12345);
    pen(2, 150);
    pen(3, 1);
    pen(383, 299);
    EXPECT_EQ(wave_.samples[0], 0);
    EXPECT_EQ(wave_.samples[1], 32549);
    EXPECT_EQ(wave_.samples[127], -32548);
    EXPECT_EQ(wave_.samples[2], 12345);
    EXPECT_EQ(wave_.samples[126], 12345);
}

TEST_F(WaveViewTest, APenPointRepaintsOnlyItsStripWithoutErasing)
{
    view_.setEditMode(true);
    ValidateRect(control_, nullptr);
    pen(100, 40);
    const RECT strip = updateRect();
    EXPECT_EQ(strip.left, 97);
    EXPECT_EQ(strip.right, 103);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.bottom, clientHeight);
    // Not erased: the strip waits for a paint without WM_ERASEBKGND.
    EXPECT_EQ(GetUpdateRect(control_, nullptr, FALSE), TRUE);
}

TEST_F(WaveViewTest, OutsideEditModePenPointsChangeAndRepaintNothing)
{
    wave_.samples.fill(12345);
    ValidateRect(control_, nullptr);
    pen(3, 1);
    EXPECT_EQ(wave_.samples[1], 12345);
    EXPECT_FALSE(GetUpdateRect(control_, nullptr, FALSE));
}

TEST_F(WaveViewTest, ErasingDrawsNothing)
{
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    SetPixel(memory, 1, 1, RGB(10, 200, 30));
    EXPECT_NE(SendMessageW(control_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 0);
    EXPECT_EQ(GetPixel(memory, 1, 1), RGB(10, 200, 30));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(WaveViewTest, WithNothingLoadedThePictureIsTheOutlinedBlueBox)
{
    wave_.samples.fill(20000);
    wave_.resampled = true;
    const Pixels pixels = picture();
    ASSERT_EQ(pixels.width(), clientWidth);
    for (const POINT corner : {POINT{0, 0}, POINT{383, 0}, POINT{0, 299}, POINT{383, 299}, POINT{192, 0}, POINT{0, 150}})
        EXPECT_EQ(pixels.at(corner.x, corner.y), black) << corner.x << "," << corner.y;
    EXPECT_EQ(pixels.count(boxBlue, 1, 1, 383, 299), 382 * 298);
}

TEST_F(WaveViewTest, BarsStandOnTheCentreLineWithAMarginOutsideEditMode)
{
    wave_ = squareWave();
    const Pixels pixels = picture();
    // 32767 of 68535 over 300 rows is 143 rows above the middle row, 150.
    EXPECT_EQ(pixels.at(96, 100), black);
    EXPECT_EQ(pixels.at(96, 10), black);
    EXPECT_EQ(pixels.at(96, 4), boxBlue);
    EXPECT_EQ(pixels.at(96, 200), boxBlue);
    EXPECT_EQ(pixels.at(288, 200), black);
    EXPECT_EQ(pixels.at(288, 290), black);
    EXPECT_EQ(pixels.at(288, 296), boxBlue);
    EXPECT_EQ(pixels.at(288, 100), boxBlue);
    EXPECT_EQ(pixels.count(markRed, 0, 0, clientWidth, clientHeight), 0);
}

TEST_F(WaveViewTest, InEditModeFullScaleReachesTheEdges)
{
    wave_ = squareWave();
    view_.setEditMode(true);
    const Pixels pixels = picture();
    EXPECT_EQ(pixels.at(96, 2), black);
    EXPECT_EQ(pixels.at(288, 297), black);
}

TEST_F(WaveViewTest, TheCentreLineCrossesTheWholeWidth)
{
    wave_.loaded = true;
    wave_.samples.fill(0);
    const Pixels pixels = picture();
    EXPECT_EQ(pixels.count(black, 1, 150, 383, 151), 382);
    EXPECT_EQ(pixels.count(black, 1, 140, 383, 141), 0);
    EXPECT_EQ(pixels.count(black, 1, 160, 383, 161), 0);
}

TEST_F(WaveViewTest, AResampledWaveShowsTheRedMarkNearTheTopLeftCorner)
{
    wave_ = squareWave();
    wave_.samples.fill(0);
    wave_.resampled = true;
    const Pixels pixels = picture();
    // Logical (3, 32767): column 9, row 7.
    EXPECT_GT(pixels.count(markRed, 9, 7, 40, 40), 0);
    EXPECT_EQ(pixels.count(markRed, 0, 0, 9, clientHeight), 0);
    EXPECT_EQ(pixels.count(markRed, 0, 60, clientWidth, clientHeight), 0);
}

TEST_F(WaveViewTest, OutsideTheNTFamilyValuesAreHalvedOnAHalfScale)
{
    setWindowsNT(false);
    wave_ = squareWave();
    const Pixels pixels = picture();
    // 16383 of 32767: full scale again, whatever the edit mode.
    EXPECT_EQ(pixels.at(96, 2), black);
    EXPECT_EQ(pixels.at(288, 297), black);
}

} // namespace
