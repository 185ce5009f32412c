// How the main dialog ends and what its keyboard does, through the message
// loop and its filter as the program runs them: Esc, Quit and the close box end
// it with 2, Enter with no push button focused with 1, and Enter presses the
// push button that has the focus, however it got there.
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/TestWaves.h"

#include "ui/win32/Application.h"
#include "ui/win32/Module.h"

#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <thread>

using namespace hwd;

namespace {

TEST(MainDialogExit, EscEndsWithTwo)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    EXPECT_EQ(harness.run([&] { harness.postKey(VK_ESCAPE); }), 2);
    EXPECT_FALSE(IsWindow(harness.window()));
}

TEST(MainDialogExit, QuitEndsWithTwo)
{
    MainDialogHarness harness;
    EXPECT_EQ(harness.run([&] { SendMessageW(harness.control(IDCANCEL), BM_CLICK, 0, 0); }), 2);
}

TEST(MainDialogExit, TheCloseBoxEndsWithTwo)
{
    MainDialogHarness harness;
    EXPECT_EQ(harness.run([&] { PostMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }), 2);
}

TEST(MainDialogExit, EnterOnThePortListEndsWithOne)
{
    MainDialogHarness harness({{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort}});
    SetFocus(harness.control(IDC_PORT));
    EXPECT_EQ(harness.run([&] { harness.postKey(VK_RETURN); }), 1);
}

TEST(MainDialogExit, EnterOnTheWaveNumberListEndsWithOne)
{
    MainDialogHarness harness;
    SetFocus(harness.control(IDC_WAVE_NUMBER));
    EXPECT_EQ(harness.run([&] { harness.postKey(VK_RETURN); }), 1);
}

TEST(MainDialogExit, EnterOnAFocusedButtonPressesThatButton)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    watcher.whenOpen(L"About", [&](HWND about) {
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        PostMessageW(harness.window(), WM_COMMAND, IDCANCEL, 0);
    });
    // Tab from Quit to About..., whose box Enter then opens instead of ending
    // the program; the command that follows ends it.
    EXPECT_EQ(harness.run([&] {
        harness.postKey(VK_TAB);
        harness.postKey(VK_RETURN);
    }),
              2);
    EXPECT_EQ(watcher.opened(L"About"), 1);
}

TEST(MainDialogExit, EnterAtTheStartPressesQuit)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    ASSERT_EQ(GetFocus(), harness.control(IDCANCEL));
    EXPECT_EQ(harness.run([&] { harness.postKey(VK_RETURN); }), 2);
}

// A click gives a button the focus without making it the default one.
TEST(MainDialogKeyboard, EnterOnAButtonFocusedByAClickPressesThatButton)
{
    DialogWatcher watcher;
    TestWaves::ScratchFolder scratch;
    MainDialogHarness harness;
    harness.drop({scratch.copyWave(TestWaves::square, L"wave.wav")});
    harness.runUntilIdle();
    watcher.whenOpen(L"About", [&](HWND about) { PostMessageW(about, WM_COMMAND, IDOK, 0); });
    SetFocus(harness.control(ID_APP_ABOUT));
    harness.postKey(VK_RETURN);
    harness.runUntilIdle();
    EXPECT_EQ(watcher.opened(L"About"), 1);

    scratch.copyWave(TestWaves::saw, L"wave.wav");
    SetFocus(harness.control(IDC_RELOAD));
    harness.postKey(VK_RETURN);
    harness.runUntilIdle();
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
    EXPECT_TRUE(IsWindowVisible(harness.window()));
}

TEST(MainDialogKeyboard, TabSkipsTheDisabledSendOnItsWayToThePortList)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    ASSERT_EQ(GetFocus(), harness.control(IDCANCEL));
    harness.postKey(VK_TAB);
    harness.runUntilIdle();
    EXPECT_EQ(GetFocus(), harness.control(ID_APP_ABOUT));
    harness.postKey(VK_TAB);
    harness.runUntilIdle();
    EXPECT_EQ(GetFocus(), harness.control(IDC_PORT));
}

// When the idle pass disables Reload while it has the focus (Reload of a file
// that has since become unreadable), the focus goes to no control at all. The
// keyboard then reaches the dialog only as system keys, which the dialog
// keyboard interface does not take: Space, Tab, Esc and Enter all do nothing
// until the user clicks a control.
class FocusedReloadDisabled : public testing::TestWithParam<WORD> {};

TEST_P(FocusedReloadDisabled, LeavesTheKeyboardWithoutAControl)
{
    constexpr int stillRunning = -300;
    DialogWatcher watcher;
    TestWaves::ScratchFolder scratch;
    MainDialogHarness harness;
    harness.drop({scratch.copyWave(TestWaves::square, L"wave.wav")});
    harness.runUntilIdle();
    SetForegroundWindow(harness.window());
    SetFocus(harness.control(IDC_RELOAD));
    scratch.writeText(L"wave.wav", "no longer a wave");
    harness.postKey(VK_SPACE);
    harness.runUntilIdle();
    ASSERT_EQ(watcher.messageBoxes().size(), 1u);
    ASSERT_FALSE(harness.enabled(IDC_RELOAD));
    EXPECT_EQ(GetFocus(), nullptr);

    const WORD key = GetParam();
    const KeyboardMessageLog log;
    const int exitCode = harness.run([key] {
        pressKey(key);
        // A timer comes after every input message: the loop has taken the key by then.
        SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            PostQuitMessage(stillRunning);
        });
    });

    EXPECT_EQ(exitCode, stillRunning);
    EXPECT_TRUE(IsWindow(harness.window()));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(watcher.messageBoxes().size(), 1u);
    ASSERT_FALSE(log.entries().empty());
    EXPECT_EQ(log.entries().front().message, UINT{WM_SYSKEYDOWN});
    EXPECT_EQ(log.entries().front().key, WPARAM{key});
    EXPECT_EQ(log.entries().front().window, harness.window());
}

INSTANTIATE_TEST_SUITE_P(Keys, FocusedReloadDisabled, testing::Values(VK_SPACE, VK_TAB, VK_ESCAPE, VK_RETURN),
                         [](const testing::TestParamInfo<WORD>& info) {
                             switch (info.param) {
                             case VK_SPACE:
                                 return "Space";
                             case VK_TAB:
                                 return "Tab";
                             case VK_ESCAPE:
                                 return "Esc";
                             default:
                                 return "Enter";
                             }
                         });

// The end-to-end run: runApplication registers its loop, shows the dialog as
// asked, runs until the dialog closes and unregisters the loop.
TEST(RunApplication, ShowsTheDialogAsAskedAndAnswersTheExitCode)
{
    drainMessageQueue();
    ScriptedMidiOutput midi;
    bool minimised = false;
    bool loopRegistered = false;
    static std::function<void()> probe;
    probe = [&] {
        const HWND dialog = FindWindowW(L"#32770", L"Harlix Wave Dump");
        minimised = dialog != nullptr && IsIconic(dialog);
        loopRegistered = LoopRegistry::instance().find(std::this_thread::get_id()) != nullptr;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        probe();
    });
    EXPECT_EQ(runApplication(SW_SHOWMINIMIZED, {}, midi), 2);
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(loopRegistered);
    EXPECT_EQ(LoopRegistry::instance().find(std::this_thread::get_id()), nullptr);
    EXPECT_EQ(FindWindowW(L"#32770", L"Harlix Wave Dump"), nullptr);
}

TEST(RunApplication, WithoutTheDialogTemplateEndsAtOnceWithZero)
{
    drainMessageQueue();
    ScriptedMidiOutput midi;
    // A module without the program's templates: the main dialog cannot be made.
    Module::initialise(GetModuleHandleW(L"kernel32.dll"));
    const int exitCode = runApplication(SW_SHOWNORMAL, {}, midi);
    Module::initialise(GetModuleHandleW(nullptr));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(LoopRegistry::instance().find(std::this_thread::get_id()), nullptr);
    EXPECT_EQ(FindWindowW(L"#32770", L"Harlix Wave Dump"), nullptr);
}

} // namespace
