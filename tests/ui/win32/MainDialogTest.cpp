// The main dialog in its own process, driven with the messages a user's
// actions produce: drops, clicks and commands.
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "support/TestWaves.h"

#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace hwd;

namespace {

HWND viewOf(const MainDialogHarness& harness)
{
    return harness.control(IDC_WAVE_VIEW);
}

bool wholeViewInvalid(HWND view)
{
    RECT client{};
    GetClientRect(view, &client);
    RECT invalid{};
    GetUpdateRect(view, &invalid, FALSE);
    return EqualRect(&client, &invalid) != FALSE;
}

std::wstring itemText(HWND comboBox, int index)
{
    wchar_t text[64] = {};
    SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(MainDialogStart, ShowsTheDropHintAndDisablesSendAndReloadAtTheFirstIdlePass)
{
    MainDialogHarness harness;
    ASSERT_TRUE(harness.created());
    EXPECT_EQ(harness.fileNameText(), L"Drag/Drop WAV file from Explorer");
    // Recorded at the initialisation, applied only when the loop runs dry.
    EXPECT_TRUE(harness.enabled(IDC_SEND));
    EXPECT_TRUE(harness.enabled(IDC_RELOAD));
    harness.runUntilIdle();
    EXPECT_FALSE(harness.enabled(IDC_SEND));
    EXPECT_FALSE(harness.enabled(IDC_RELOAD));
    EXPECT_EQ(GetFocus(), harness.control(IDCANCEL));
}

TEST(MainDialogDrop, GoodFileEnablesSendAndReloadAtTheNextIdlePass)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    const auto file = TestWaves::file(TestWaves::square);
    harness.drop({file});
    EXPECT_TRUE(currentWaveshape().loaded);
    EXPECT_EQ(harness.fileNameText(), file.wstring());
    EXPECT_FALSE(harness.enabled(IDC_SEND));
    harness.runUntilIdle();
    EXPECT_TRUE(harness.enabled(IDC_SEND));
    EXPECT_TRUE(harness.enabled(IDC_RELOAD));
}

TEST(MainDialogDrop, ARefusedFileAfterAGoodOneShowsTheBoxBeforeTheButtonsAndThePathChange)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    const auto good = TestWaves::file(TestWaves::square);
    const auto refused = TestWaves::file(TestWaves::stereo);
    harness.drop({good});
    harness.runUntilIdle();
    ValidateRect(viewOf(harness), nullptr);

    bool repaintAskedBeforeTheBox = false;
    std::wstring pathDuringTheBox;
    bool sendRecordedEnabledDuringTheBox = false;
    watcher.onMessageBox = [&](HWND) {
        repaintAskedBeforeTheBox = wholeViewInvalid(viewOf(harness));
        pathDuringTheBox = harness.fileNameText();
        sendRecordedEnabledDuringTheBox = harness.dialog().controlStates().enabled(IDC_SEND);
    };
    harness.drop({refused});

    EXPECT_EQ(watcher.messageBoxes(),
              (std::vector<DialogWatcher::MessageBoxSeen>{
                  {L"Failed to open wave file. File is not a mono PCM format WAV file.", L"Harlix Wave Dump",
                   DialogWatcher::Icon::Warning, harness.window()}}));
    EXPECT_TRUE(repaintAskedBeforeTheBox);
    EXPECT_EQ(pathDuringTheBox, good.wstring());
    EXPECT_TRUE(sendRecordedEnabledDuringTheBox);
    EXPECT_EQ(harness.fileNameText(), refused.wstring());
    EXPECT_TRUE(harness.enabled(IDC_SEND));
    harness.runUntilIdle();
    EXPECT_FALSE(harness.enabled(IDC_SEND));
    EXPECT_FALSE(harness.enabled(IDC_RELOAD));
}

TEST(MainDialogDrop, TwoRefusedFilesShowTwoBoxesAndKeepTheButtonsDisabled)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    harness.drop({TestWaves::file(TestWaves::stereo)});
    harness.runUntilIdle();
    harness.drop({TestWaves::file(TestWaves::stereo)});
    harness.runUntilIdle();
    EXPECT_EQ(watcher.messageBoxes().size(), 2u);
    EXPECT_FALSE(harness.enabled(IDC_SEND));
    EXPECT_FALSE(harness.enabled(IDC_RELOAD));
}

TEST(MainDialogDrop, RepaintsTheWholeViewAfterEveryLoad)
{
    MainDialogHarness harness;
    UpdateWindow(harness.window());
    ASSERT_FALSE(GetUpdateRect(viewOf(harness), nullptr, FALSE));
    harness.drop({TestWaves::file(TestWaves::square)});
    EXPECT_TRUE(wholeViewInvalid(viewOf(harness)));
}

TEST(MainDialogDrop, OfSeveralFilesLoadsTheFirst)
{
    MainDialogHarness harness;
    const auto first = TestWaves::file(TestWaves::saw);
    harness.drop({first, TestWaves::file(TestWaves::square), TestWaves::file(TestWaves::sine)});
    EXPECT_EQ(harness.fileNameText(), first.wstring());
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
    EXPECT_EQ(currentWaveshape().samples[1], -32256);
}

TEST(MainDialogDrop, LoadsAFileWhoseNameIsOutsideTheAnsiCodePage)
{
    TestWaves::ScratchFolder scratch;
    MainDialogHarness harness;
    const auto file = scratch.copyWave(TestWaves::square, L"\u039A\u03CD\u03BC\u03B1 \u6CE2\u5F62.wav");
    harness.drop({file});
    EXPECT_TRUE(currentWaveshape().loaded);
    EXPECT_EQ(currentWaveshape().samples[0], 32767);
    EXPECT_EQ(harness.fileNameText(), file.wstring());
}

TEST(MainDialogDrop, IsRefusedWhileTheDialogOwnsAModalWindow)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    const auto square = TestWaves::file(TestWaves::square);
    harness.drop({square});
    // As the owner of a running modal window: a refused file would show its box.
    EnableWindow(harness.window(), FALSE);
    harness.drop({TestWaves::file(TestWaves::saw)});
    harness.drop({std::filesystem::path(L"C:\\no such folder\\gone.wav")});
    EXPECT_EQ(currentWaveshape().samples[0], 32767);
    EXPECT_EQ(harness.fileNameText(), square.wstring());
    EXPECT_TRUE(watcher.messageBoxes().empty());
    EXPECT_FALSE(IsWindowEnabled(harness.window()));
    EnableWindow(harness.window(), TRUE);
    harness.drop({TestWaves::file(TestWaves::saw)});
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
}

TEST(MainDialogDrop, TakesAPathLongerThan256CharactersWhole)
{
    TestWaves::ScratchFolder scratch;
    MainDialogHarness harness;
    std::filesystem::path name;
    for (int level = 0; level < 6; ++level)
        name /= std::wstring(40, static_cast<wchar_t>(L'a' + level));
    const auto file = scratch.copyWave(TestWaves::square, name / L"square.wav");
    ASSERT_GT(file.native().size(), 256u);
    harness.drop({file});
    EXPECT_EQ(harness.fileNameText(), file.wstring());
    EXPECT_TRUE(currentWaveshape().loaded);
}

// A file named on the command line loads once the dialog has settled: its
// box, like a drop's, stands over Send and Reload shown disabled.
TEST(MainDialogCommandLine, LoadsAfterTheFirstIdlePass)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    bool sendEnabledDuringTheBox = true;
    watcher.onMessageBox = [&](HWND) { sendEnabledDuringTheBox = harness.enabled(IDC_SEND); };
    const std::filesystem::path missing(L"C:\\no such folder\\gone.wav");
    harness.dialog().openWhenShown(missing);
    harness.runUntilIdle();
    harness.runUntilIdle();
    ASSERT_EQ(watcher.messageBoxes().size(), 1u);
    EXPECT_FALSE(sendEnabledDuringTheBox);
    EXPECT_EQ(harness.fileNameText(), missing.wstring());

    const auto square = TestWaves::file(TestWaves::square);
    harness.dialog().openWhenShown(square);
    harness.runUntilIdle();
    harness.runUntilIdle();
    EXPECT_EQ(watcher.messageBoxes().size(), 1u);
    EXPECT_EQ(currentWaveshape().samples[0], 32767);
    EXPECT_TRUE(harness.enabled(IDC_RELOAD));
}

TEST(MainDialogReload, ReadsTheFileAgainAndOnlyOnAClick)
{
    TestWaves::ScratchFolder scratch;
    MainDialogHarness harness;
    const auto file = scratch.copyWave(TestWaves::square, L"wave.wav");
    harness.drop({file});
    harness.runUntilIdle();
    scratch.copyWave(TestWaves::saw, L"wave.wav");

    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_RELOAD, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(harness.control(IDC_RELOAD)));
    EXPECT_EQ(currentWaveshape().samples[0], 32767);

    SendMessageW(harness.control(IDC_RELOAD), BM_CLICK, 0, 0);
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
    EXPECT_EQ(harness.fileNameText(), file.wstring());
}

TEST(MainDialogReload, BeforeAnyDropDoesNothing)
{
    DialogWatcher watcher;
    MainDialogHarness harness;
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_RELOAD, BN_CLICKED), 0);
    EXPECT_TRUE(watcher.messageBoxes().empty());
    EXPECT_EQ(harness.fileNameText(), L"Drag/Drop WAV file from Explorer");
}

TEST(MainDialogLists, WaveNumbersAndHardwarePorts)
{
    MainDialogHarness harness({{"Synth", ScriptedMidiOutput::DeviceKind::Synthesizer},
                               {"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort},
                               {"Port B", ScriptedMidiOutput::DeviceKind::HardwarePort}});
    const HWND waveNumbers = harness.control(IDC_WAVE_NUMBER);
    ASSERT_EQ(SendMessageW(waveNumbers, CB_GETCOUNT, 0, 0), 32);
    EXPECT_EQ(itemText(waveNumbers, 0), L"097");
    EXPECT_EQ(itemText(waveNumbers, 31), L"128");
    EXPECT_EQ(SendMessageW(waveNumbers, CB_GETCURSEL, 0, 0), 0);
    const HWND ports = harness.control(IDC_PORT);
    ASSERT_EQ(SendMessageW(ports, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(itemText(ports, 0), L"Port A");
    EXPECT_EQ(itemText(ports, 1), L"Port B");
    EXPECT_EQ(SendMessageW(ports, CB_GETITEMDATA, 1, 0), 2);
}

} // namespace

namespace {

TEST(MainDialogSend, SendsToTheChosenPortAndSlotOnlyOnAClick)
{
    MainDialogHarness harness({{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort},
                               {"Port B", ScriptedMidiOutput::DeviceKind::HardwarePort}});
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();
    SendMessageW(harness.control(IDC_PORT), CB_SETCURSEL, 1, 0);
    SendMessageW(harness.control(IDC_WAVE_NUMBER), CB_SETCURSEL, 31, 0);
    harness.midi().clearRecord();

    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_SEND, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(harness.control(IDC_SEND)));
    EXPECT_TRUE(harness.midi().calls.empty());

    SendMessageW(harness.control(IDC_SEND), BM_CLICK, 0, 0);
    ASSERT_EQ(harness.midi().sentMessages.size(), 1u);
    EXPECT_EQ(harness.midi().calls.front(), "createSignal");
    EXPECT_EQ(harness.midi().calls[1], "open 1");
    const auto& message = harness.midi().sentMessages[0];
    ASSERT_EQ(message.size(), 300u);
    EXPECT_EQ(message[0], 0xF0);
    EXPECT_EQ(message[5], 0x7F);
    EXPECT_EQ(message[299], 0xF7);
}

TEST(MainDialogSend, APortThatDoesNotOpenShowsTheErrorBox)
{
    DialogWatcher watcher;
    MainDialogHarness harness({{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort}});
    harness.midi().openResult = 4;
    harness.midi().errorTexts[4] = "The device is already in use.";
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();
    SendMessageW(harness.control(IDC_SEND), BM_CLICK, 0, 0);
    EXPECT_EQ(watcher.messageBoxes(),
              (std::vector<DialogWatcher::MessageBoxSeen>{
                  {L"Error: Failed to open the specified MIDI port. The device is already in use.", L"Harlix Wave Dump",
                   DialogWatcher::Icon::Error, harness.window()}}));
}

TEST(MainDialogSend, BeforeAnyLoadOpensNoPort)
{
    MainDialogHarness harness({{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort}});
    harness.midi().clearRecord();
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_SEND, BN_CLICKED), 0);
    EXPECT_TRUE(harness.midi().calls.empty());
}

TEST(MainDialogWindow, IsCentredOnTheWorkAreaWithTheProgramsIcons)
{
    MainDialogHarness harness;
    RECT frame{};
    GetWindowRect(harness.window(), &frame);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (workArea.left + workArea.right)), 2);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (workArea.top + workArea.bottom)), 2);
    EXPECT_EQ(GetWindow(harness.window(), GW_OWNER), nullptr);

    const auto small = reinterpret_cast<HICON>(SendMessageW(harness.window(), WM_GETICON, ICON_SMALL, 0));
    const auto large = reinterpret_cast<HICON>(SendMessageW(harness.window(), WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

} // namespace
