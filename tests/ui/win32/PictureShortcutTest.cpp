// Ctrl+O, Ctrl+S and Ctrl+L in both windows, pressed on the keyboard whatever
// control has the focus: which keys count, and what each reaches.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPreviewOutput.h"
#include "support/TestWaves.h"

#include "ui/win32/PictureShortcut.h"

#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

// The thread's keyboard state with exactly these keys down, as GetKeyState
// reads it while a key message is handled.
class HeldKeys final {
public:
    explicit HeldKeys(const std::array<int, 2>& keys)
    {
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state{};
        for (const int key : keys) {
            if (key != 0)
                state[static_cast<std::size_t>(key)] = 0x80;
        }
        SetKeyboardState(state.data());
    }
    ~HeldKeys() { SetKeyboardState(saved_.data()); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::array<BYTE, 256> saved_{};
};

struct ShortcutCase {
    const char* name;
    UINT message;
    WPARAM key;
    LPARAM flags;
    std::array<int, 2> held; // 0: none
    int command;
};

class PictureShortcutKeys : public testing::TestWithParam<ShortcutCase> {};

TEST_P(PictureShortcutKeys, GiveTheirCommandOnlyWithCtrlAlone)
{
    const ShortcutCase& row = GetParam();
    const HeldKeys held(row.held);
    const MSG message{nullptr, row.message, row.key, row.flags | 1, 0, {}};
    EXPECT_EQ(pictureShortcutCommand(message), row.command);
}

constexpr LPARAM repeat = LPARAM{1} << 30;

INSTANTIATE_TEST_SUITE_P(
    Keys, PictureShortcutKeys,
    testing::Values(ShortcutCase{"CtrlO", WM_KEYDOWN, 'O', 0, {VK_CONTROL, 0}, ID_FILE_OPEN},
                    ShortcutCase{"CtrlS", WM_KEYDOWN, 'S', 0, {VK_CONTROL, 0}, ID_FILE_SAVE_AS},
                    ShortcutCase{"CtrlL", WM_KEYDOWN, 'L', 0, {VK_CONTROL, 0}, ID_LISTEN},
                    ShortcutCase{"RightCtrlL", WM_KEYDOWN, 'L', 0, {VK_CONTROL, VK_RCONTROL}, ID_LISTEN},
                    ShortcutCase{"LWithoutCtrl", WM_KEYDOWN, 'L', 0, {0, 0}, 0},
                    ShortcutCase{"CtrlLHeldRepeats", WM_KEYDOWN, 'L', repeat, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"CtrlLReleased", WM_KEYUP, 'L', 0, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"AltGrL", WM_KEYDOWN, 'L', 0, {VK_CONTROL, VK_MENU}, 0},
                    ShortcutCase{"CtrlShiftS", WM_KEYDOWN, 'S', 0, {VK_CONTROL, VK_SHIFT}, 0},
                    ShortcutCase{"CtrlP", WM_KEYDOWN, 'P', 0, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"CtrlTab", WM_KEYDOWN, VK_TAB, 0, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"CtrlF4", WM_KEYDOWN, VK_F4, 0, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"CtrlKeypadDivide", WM_KEYDOWN, VK_DIVIDE, 0, {VK_CONTROL, 0}, 0},
                    ShortcutCase{"CtrlKeypadSeparator", WM_KEYDOWN, VK_SEPARATOR, 0, {VK_CONTROL, 0}, 0}),
    CaseNames::byName);

// A main dialog with the scripted file dialogs and audio output, the square
// example loaded, in the foreground.
class ShortcutTest : public testing::Test {
protected:
    ShortcutTest()
    {
        harness_.drop({TestWaves::file(TestWaves::square)});
        harness_.runUntilIdle();
        SetForegroundWindow(harness_.window());
    }

    void pressInMainDialog(int focusedControl, WORD key)
    {
        SetFocus(harness_.control(focusedControl));
        pressCtrlKey(key);
        harness_.runUntilInputTaken();
    }

    DialogWatcher watcher_;
    ScriptedFileChooser chooser_;
    ScriptedPreviewOutput output_;
    MainDialogHarness harness_{{{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort}},
                               {.fileChooser = &chooser_, .previewOutput = &output_}};
};

struct FocusCase {
    const char* name;
    int control;
};

class MainDialogShortcuts : public ShortcutTest, public testing::WithParamInterface<FocusCase> {};

TEST_P(MainDialogShortcuts, ReachTheirCommandsFromTheFocusedControl)
{
    const int control = GetParam().control;
    pressInMainDialog(control, 'O');
    EXPECT_EQ(chooser_.opensAsked, 1);
    pressInMainDialog(control, 'S');
    EXPECT_EQ(chooser_.saveSuggestions.size(), 1u);
    pressInMainDialog(control, 'L');
    EXPECT_EQ(output_.calls, std::vector<std::string>{"start"});
    // The keys did nothing else: the dialog is still there and the focus stayed.
    EXPECT_TRUE(IsWindow(harness_.window()));
    EXPECT_EQ(GetFocus(), harness_.control(control));
    EXPECT_TRUE(watcher_.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Focus, MainDialogShortcuts,
                         testing::Values(FocusCase{"Quit", IDCANCEL}, FocusCase{"About", ID_APP_ABOUT},
                                         FocusCase{"Send", IDC_SEND}, FocusCase{"PortList", IDC_PORT},
                                         FocusCase{"WaveNumberList", IDC_WAVE_NUMBER},
                                         FocusCase{"Reload", IDC_RELOAD}),
                         CaseNames::byName);

struct TweakerFocusCase {
    const char* name;
    int control;
};

class TweakerShortcuts : public ShortcutTest, public testing::WithParamInterface<TweakerFocusCase> {};

// Keys pressed inside the Tweaker's own loop, with one of its buttons focused;
// OK is posted once the keys have been taken.
TEST_P(TweakerShortcuts, SaveAndListenButNotOpen)
{
    watcher_.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        SetFocus(GetDlgItem(editor, GetParam().control));
        pressCtrlKey('O');
        pressCtrlKey('S');
        pressCtrlKey('L');
        postOkWhenInputTaken(editor);
    });
    SendMessageW(harness_.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    ASSERT_EQ(watcher_.opened(L"Wave Tweaker"), 1);
    EXPECT_EQ(chooser_.opensAsked, 0);
    EXPECT_EQ(chooser_.saveSuggestions.size(), 1u);
    EXPECT_EQ(output_.calls, std::vector<std::string>{"start"});
}

INSTANTIATE_TEST_SUITE_P(Focus, TweakerShortcuts,
                         testing::Values(TweakerFocusCase{"Ok", IDOK}, TweakerFocusCase{"Filter", IDC_FILTER},
                                         TweakerFocusCase{"Undo", IDC_UNDO}),
                         CaseNames::byName);

// Once the Tweaker has closed, its hook is gone: the keys reach the main
// dialog's commands once, not twice.
TEST_F(ShortcutTest, AfterTheTweakerTheMainDialogsKeysRunOnce)
{
    watcher_.whenOpen(L"Wave Tweaker", [](HWND editor) { PostMessageW(editor, WM_COMMAND, IDOK, 0); });
    SendMessageW(harness_.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    pressInMainDialog(IDCANCEL, 'O');
    EXPECT_EQ(chooser_.opensAsked, 1);
}

} // namespace
