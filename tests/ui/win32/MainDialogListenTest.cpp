// Listen in the Win32 program: one preview for the whole program, toggled from
// either window, its failure box, and its end with the program.
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "ScriptedPreviewOutput.h"
#include "support/TestWaves.h"

#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void listen(MainDialogHarness& harness, HWND from)
{
    harness.dialog().runPictureCommand(ID_LISTEN, from);
}

TEST(MainDialogListen, TogglesOneOutputFromBothWindows)
{
    DialogWatcher watcher;
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.previewOutput = &output});
    harness.drop({TestWaves::file(TestWaves::square)});
    listen(harness, harness.window());
    ASSERT_TRUE(harness.dialog().listening());
    ASSERT_NE(output.source, nullptr);

    bool listeningInTweaker = false;
    watcher.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        listeningInTweaker = harness.dialog().listening();
        listen(harness, editor);
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    EXPECT_TRUE(listeningInTweaker);
    EXPECT_FALSE(harness.dialog().listening());
    EXPECT_EQ(output.calls, (std::vector<std::string>{"start", "stop"}));
}

TEST(MainDialogListen, ARefusedOutputWarnsWithTheSystemsReason)
{
    DialogWatcher watcher;
    ScriptedPreviewOutput output;
    output.refusal = "No sound here.";
    MainDialogHarness harness({.previewOutput = &output});
    listen(harness, harness.window());
    EXPECT_FALSE(harness.dialog().listening());
    EXPECT_EQ(watcher.messageBoxes(),
              (std::vector<DialogWatcher::MessageBoxSeen>{{L"Failed to open the audio output. No sound here.",
                                                           L"Harlix Wave Dump", DialogWatcher::Icon::Warning,
                                                           harness.window()}}));
}

// The end of the program stops the preview while the window whose messages
// feed the device is still there.
TEST(MainDialogListen, QuitStopsThePreviewBeforeTheWindowGoes)
{
    std::vector<bool> windowAliveAtStop;
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.previewOutput = &output});
    output.onStop = [&windowAliveAtStop, window = harness.window()] {
        windowAliveAtStop.push_back(IsWindow(window) != FALSE);
    };
    listen(harness, harness.window());
    ASSERT_TRUE(harness.dialog().listening());
    EXPECT_EQ(harness.run([&] { SendMessageW(harness.control(IDCANCEL), BM_CLICK, 0, 0); }), 2);
    EXPECT_FALSE(output.playing());
    EXPECT_EQ(output.calls, (std::vector<std::string>{"start", "stop"}));
    EXPECT_EQ(windowAliveAtStop, std::vector<bool>{true});
}

// The system's own output: under wine there is no audio device, and the box
// says so in wine's words.
TEST(MainDialogListen, WithoutAnAudioDeviceUnderWineCtrlLWarns)
{
    if (!underWine() || waveOutGetNumDevs() != 0)
        GTEST_SKIP() << "for wine without an audio device";
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::square)});
    listen(harness, harness.window());
    EXPECT_FALSE(harness.dialog().listening());
    ASSERT_EQ(watcher.messageBoxes().size(), 1u);
    EXPECT_EQ(watcher.messageBoxes()[0].text,
              L"Failed to open the audio output. A device ID has been used that is out of range for your system.");
    EXPECT_EQ(watcher.messageBoxes()[0].owner, harness.window());
}

} // namespace
