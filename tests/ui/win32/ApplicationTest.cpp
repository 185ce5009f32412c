// The program's run as its entry point starts it: runApplication registers its
// loop, shows the main dialog as asked, opens the file named on the command
// line once the dialog shows, runs until the dialog closes and unregisters the
// loop.
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "support/TestWaves.h"

#include "ScriptedMidiOutput.h"

#include "ui/win32/Application.h"
#include "ui/win32/Module.h"

#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

using namespace hwd;

namespace {

constexpr int loopGuardCode = -100;

HWND mainDialog()
{
    return FindWindowW(L"#32770", L"Harlix Wave Dump");
}

// Ends, after ten seconds, a run that nothing else ended, so that a fault
// fails instead of hanging.
int guardedRun(const std::filesystem::path& file, MidiOutput& midi, int showCommand = SW_SHOWNORMAL)
{
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostQuitMessage(loopGuardCode);
    });
    const int exitCode = runApplication(showCommand, file, midi);
    KillTimer(nullptr, guard);
    return exitCode;
}

TEST(RunApplication, ShowsTheDialogAsAskedAndAnswersTheExitCode)
{
    drainMessageQueue();
    ScriptedMidiOutput midi;
    bool minimised = false;
    bool loopRegistered = false;
    static std::function<void()> probe;
    probe = [&] {
        minimised = mainDialog() != nullptr && IsIconic(mainDialog());
        loopRegistered = LoopRegistry::instance().find(std::this_thread::get_id()) != nullptr;
        PostMessageW(mainDialog(), WM_COMMAND, IDCANCEL, 0);
    };
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        probe();
    });
    EXPECT_EQ(guardedRun({}, midi, SW_SHOWMINIMIZED), 2);
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(loopRegistered);
    EXPECT_EQ(LoopRegistry::instance().find(std::this_thread::get_id()), nullptr);
    EXPECT_EQ(mainDialog(), nullptr);
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
    EXPECT_EQ(mainDialog(), nullptr);
}

// runApplication with a file: a probe inside the loop reads the dialog at the
// second idle pass, once the file has been opened after the first and the
// enabling that follows has been applied, then quits.
int runWithFile(const std::filesystem::path& file, std::function<void(HWND)> probe)
{
    struct SecondPassProbe final : IdleTask {
        std::function<void(HWND)> probe;
        int passes = 0;
        void runIdle() override
        {
            if (++passes == 2) {
                probe(mainDialog());
                PostMessageW(mainDialog(), WM_COMMAND, IDCANCEL, 0);
            } else if (passes < 2) {
                // A message, so that the loop has another idle pass to come.
                PostMessageW(mainDialog(), WM_NULL, 0, 0);
            }
        }
    };
    drainMessageQueue();
    currentWaveshape() = Waveshape{};
    ScriptedMidiOutput midi;
    static SecondPassProbe scheduled;
    scheduled = SecondPassProbe{};
    scheduled.probe = std::move(probe);
    // Registered from inside the loop, after the dialog's own idle task.
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(scheduled);
    });
    return guardedRun(file, midi);
}

// Named relative to the current folder, as a shell's "Open with" may name it.
TEST(CommandLineStart, OpensTheFileAndShowsItsWholePath)
{
    const std::filesystem::path file = TestWaves::file(TestWaves::saw);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(file.parent_path());
    std::wstring shown;
    bool sendEnabled = false;
    const int exitCode = runWithFile(file.filename(), [&](HWND dialog) {
        wchar_t text[1024] = {};
        GetDlgItemTextW(dialog, IDC_FILE_NAME, text, 1024);
        shown = text;
        sendEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_SEND)) != FALSE;
    });
    std::filesystem::current_path(before);
    EXPECT_EQ(exitCode, 2);
    EXPECT_EQ(shown, file.wstring());
    EXPECT_EQ(currentWaveshape().samples[1], -32256);
    EXPECT_TRUE(sendEnabled);
}

TEST(CommandLineStart, ARefusedFileWarnsOverTheShownWindow)
{
    DialogWatcher watcher;
    bool ownerVisible = false;
    watcher.onMessageBox = [&](HWND box) { ownerVisible = IsWindowVisible(GetWindow(box, GW_OWNER)) != FALSE; };
    EXPECT_EQ(runWithFile(TestWaves::file(TestWaves::stereo), [](HWND) {}), 2);
    ASSERT_EQ(watcher.messageBoxes().size(), 1u);
    EXPECT_EQ(watcher.messageBoxes()[0].text, L"Failed to open wave file. File is not a mono PCM format WAV file.");
    EXPECT_TRUE(ownerVisible);
}

} // namespace
