// The file named on the command line: which argument is taken, and that the
// program loads it once its window shows, with the warning box over that
// window when the file is refused.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "support/TestWaves.h"

#include "ui/win32/Application.h"
#include "ui/win32/CommandLine.h"

#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

struct CommandLineCase {
    const char* name;
    const wchar_t* commandLine;
    const wchar_t* file; // absolute here, or empty
};

class CommandLineFile : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineFile, IsTheFirstArgumentWhole)
{
    EXPECT_EQ(fileNamedOnCommandLine(GetParam().commandLine), std::filesystem::path(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineFile,
    testing::Values(
        CommandLineCase{"None", L"harlix-wave-dump.exe", L""},
        CommandLineCase{"NoneAfterBlanks", L"harlix-wave-dump.exe   ", L""},
        CommandLineCase{"Empty", L"", L""},
        CommandLineCase{"EmptyQuotes", L"harlix-wave-dump.exe \"\"", L""},
        CommandLineCase{"Plain", L"harlix-wave-dump.exe C:\\waves\\saw.wav", L"C:\\waves\\saw.wav"},
        CommandLineCase{"QuotedWithSpaces",
                        L"\"C:\\Program Files\\Harlix\\harlix-wave-dump.exe\" \"C:\\My Waves\\a saw.wav\"",
                        L"C:\\My Waves\\a saw.wav"},
        CommandLineCase{"FurtherArgumentsIgnored", L"h.exe C:\\a.wav C:\\b.wav", L"C:\\a.wav"},
        CommandLineCase{"OutsideTheAnsiCodePage", L"h.exe \"C:\\\u03BA\u03CD\u03BC\u03B1 \u6CE2.wav\"",
                        L"C:\\\u03BA\u03CD\u03BC\u03B1 \u6CE2.wav"}),
    CaseNames::byName);

TEST(CommandLineFileRelative, IsTakenFromTheCurrentFolder)
{
    EXPECT_EQ(fileNamedOnCommandLine(L"h.exe waves\\saw.wav"), std::filesystem::current_path() / L"waves" / L"saw.wav");
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
            const HWND dialog = FindWindowW(L"#32770", L"Harlix Wave Dump");
            if (++passes == 2) {
                probe(dialog);
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            } else if (passes < 2) {
                // A message, so that the loop has another idle pass to come.
                PostMessageW(dialog, WM_NULL, 0, 0);
            }
        }
    };
    drainMessageQueue();
    ScriptedMidiOutput midi;
    static SecondPassProbe scheduled;
    scheduled = SecondPassProbe{};
    scheduled.probe = std::move(probe);
    // Registered from inside the loop, after the dialog's own idle task.
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(scheduled);
    });
    return runApplication(SW_SHOWNORMAL, file, midi);
}

TEST(CommandLineStart, LoadsTheFileAsADropWould)
{
    currentWaveshape() = Waveshape{};
    const auto file = TestWaves::file(TestWaves::saw);
    std::wstring shown;
    bool sendEnabled = false;
    EXPECT_EQ(runWithFile(file,
                          [&](HWND dialog) {
                              wchar_t text[1024] = {};
                              GetDlgItemTextW(dialog, IDC_FILE_NAME, text, 1024);
                              shown = text;
                              sendEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_SEND)) != FALSE;
                          }),
              2);
    EXPECT_EQ(shown, file.wstring());
    EXPECT_TRUE(currentWaveshape().loaded);
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

// The load waits for the loop, so it comes after the window has been shown;
// Reload then reads the same file again.
TEST(CommandLineStart, TheFileLoadsOnlyOnceTheLoopRunsAndReloadReadsItAgain)
{
    TestWaves::ScratchFolder scratch;
    const auto file = scratch.copyWave(TestWaves::square, L"named.wav");
    MainDialogHarness harness;
    harness.dialog().openWhenShown(file);
    EXPECT_FALSE(currentWaveshape().loaded);
    harness.runUntilIdle();
    EXPECT_TRUE(currentWaveshape().loaded);
    EXPECT_EQ(harness.fileNameText(), file.wstring());
    scratch.copyWave(TestWaves::saw, L"named.wav");
    SendMessageW(harness.control(IDC_RELOAD), BM_CLICK, 0, 0);
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
}

TEST(CommandLineStart, WithoutAFileNothingLoads)
{
    DialogWatcher watcher;
    currentWaveshape() = Waveshape{};
    EXPECT_EQ(runWithFile({}, [](HWND) {}), 2);
    EXPECT_FALSE(currentWaveshape().loaded);
    EXPECT_TRUE(watcher.messageBoxes().empty());
}

} // namespace
