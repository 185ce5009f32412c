// The main dialog's rules without a window, through a scripted one that writes
// down what the user would see, in order: load and reload of real WAV files,
// Send and Reload following the last load, Send through the MIDI sender, the
// Wave Tweaker's gate, the pictures' commands from either window, the file
// named on the command line, the end of the program, and the keyboard.

#include "tests/support/LoaderMessages.h"
#include "FileBytes.h"
#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "ScriptedMidiOutput.h"
#include "ScriptedPreviewOutput.h"
#include "ScriptedWindow.h"
#include "WavBytes.h"
#include "app/DialogTemplates.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

namespace fs = std::filesystem;
using Log = ScriptedWindow::Log;
using Key = KeyPress::Key;

// A mono 16-bit PCM file at 44100 Hz whose sample i is first + i * step.
void writeRamp(const fs::path& path, int first, int step = 1, int count = 128)
{
    FileBytes::write(path, WavBytes::monoWav(SampleRuns::ramp(count, first, step)));
}

void writeText(const fs::path& path)
{
    FileBytes::write(path, "Not a RIFF file at all.\n");
}

class MainDialogControllerTest : public ::testing::Test {
protected:
    MainDialogControllerTest()
    {
        midi.devices = {{"Synth", ScriptedMidiOutput::DeviceKind::Synthesizer},
                        {"Harlix MIDI 1", ScriptedMidiOutput::DeviceKind::HardwarePort},
                        {"Harlix MIDI 2", ScriptedMidiOutput::DeviceKind::HardwarePort}};
        midi.errorTexts = {{4, "The device is already in use."}};
        setWindowsNT(true);
    }
    ~MainDialogControllerTest() override { setWindowsNT(false); }

    // The dialog as the user first sees it: initialised, then one idle pass.
    void start()
    {
        controller.initialise(window);
        controller.runIdle();
        midi.clearRecord();
        takeLog();
    }
    // A file dropped and loaded; its path.
    fs::path drop(const fs::path& path)
    {
        controller.fileDropped(path);
        return path;
    }
    fs::path dropRamp(const char* name, int first)
    {
        writeRamp(folder.file(name), first);
        return drop(folder.file(name));
    }
    Log takeLog() { return std::exchange(log, {}); }
    [[nodiscard]] bool recorded(int id) const { return controller.controlStates().enabled(id); }
    bool key(Key which, char letter = 0, bool repeat = false) { return controller.keyPressed({which, letter, repeat}); }

    ScratchDirectory folder;
    Log log;
    ScriptedWindow window{"main", log};
    ScriptedWindow tweakerWindow{"tweaker", log};
    ScriptedMidiOutput midi;
    ScriptedPreviewOutput preview;
    Waveshape wave;
    MainDialogController controller{wave, {midi, preview, [] { return 1234u; }}};
};

// --- Start ------------------------------------------------------------------

TEST_F(MainDialogControllerTest, startsWithTheHintTheListsAndSendAndReloadOffAtTheFirstIdlePass)
{
    midi.access = {6, "audio"};
    controller.initialise(window);

    EXPECT_EQ(takeLog(), (Log{"main: text 1005 Drag/Drop WAV file from Explorer", "main: focus 2"}));
    ASSERT_EQ(window.lists[IDC_WAVE_NUMBER].size(), 32u);
    EXPECT_EQ(window.labels(IDC_WAVE_NUMBER).front(), "097");
    EXPECT_EQ(window.labels(IDC_WAVE_NUMBER).back(), "128");
    EXPECT_EQ(window.lists[IDC_WAVE_NUMBER][31].data, 127);
    EXPECT_EQ(window.selectedListData(IDC_WAVE_NUMBER), 96);
    EXPECT_EQ(window.labels(IDC_PORT), (std::vector<std::string>{"Harlix MIDI 1", "Harlix MIDI 2"}));
    EXPECT_EQ(window.selectedListData(IDC_PORT), 1);
    EXPECT_EQ(window.toolTips[IDC_PORT].rfind("6 MIDI devices here may not be opened by this user", 0), 0u);
    EXPECT_EQ(window.toolTips[IDC_WAVE_VIEW], "Right-click for Open, Save Wave As and Listen.");

    controller.runIdle();
    EXPECT_EQ(takeLog(), (Log{"main: enable 1000 off", "main: enable 1006 off"}));
    controller.runIdle();
    EXPECT_TRUE(log.empty());
}

// --- Load and Reload ----------------------------------------------------------

TEST_F(MainDialogControllerTest, aValidFileRepaintsShowsItsPathAndTurnsSendAndReloadOnAtIdle)
{
    start();
    const fs::path path = dropRamp("ramp.wav", -12800);

    EXPECT_EQ(takeLog(), (Log{"main: repaint 1004", "main: path 1005 " + path.string()}));
    EXPECT_TRUE(wave.loaded);
    EXPECT_EQ(wave.samples[0], -12800);
    EXPECT_EQ(window.toolTips[IDC_WAVE_VIEW], waveViewToolTip(true));
    controller.runIdle();
    EXPECT_EQ(takeLog(), (Log{"main: enable 1000 on", "main: enable 1006 on"}));
}

// The box comes after the repaint and before the buttons are recorded as off;
// the name box then shows the file that failed.
TEST_F(MainDialogControllerTest, aRefusedFileAfterAValidOne)
{
    start();
    dropRamp("good.wav", 0);
    controller.runIdle();
    takeLog();
    const fs::path notes = folder.file("notes.wav");
    writeText(notes);

    drop(notes);

    EXPECT_EQ(takeLog(), (Log{"main: repaint 1004", std::string("main: box warning: ") + ExpectedMessage::notWav,
                              "main: path 1005 " + notes.string()}));
    EXPECT_FALSE(recorded(IDC_SEND));
    EXPECT_FALSE(recorded(IDC_RELOAD));
    EXPECT_EQ(window.toolTips[IDC_WAVE_VIEW], waveViewToolTip(false));
    controller.runIdle();
    EXPECT_EQ(takeLog(), (Log{"main: enable 1000 off", "main: enable 1006 off"}));
}

// Reload reads the file again as it now is, replacing any edits; before any
// file it does nothing at all, and so does a click that is no click.
TEST_F(MainDialogControllerTest, reloadReadsTheChangedFile)
{
    start();
    wave.samples.fill(7);
    controller.command(IDC_RELOAD, ControlEvent::Clicked);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(wave.samples[0], 7);

    const fs::path path = dropRamp("changing.wav", 0);
    wave.samples.fill(1234);
    writeRamp(path, 1000, -20);
    controller.command(IDC_RELOAD, ControlEvent::Other);
    EXPECT_EQ(wave.samples[0], 1234);
    takeLog();

    controller.command(IDC_RELOAD, ControlEvent::Clicked);

    EXPECT_EQ(takeLog(), (Log{"main: repaint 1004", "main: path 1005 " + path.string()}));
    EXPECT_EQ(wave.samples[127], 1000 - 127 * 20);
}

// A control that loses its enabling while it has the focus (Reload pressed
// with Enter on a file that has become a stereo one) leaves the focus with the
// dialog, so that the keyboard still works.
TEST_F(MainDialogControllerTest, aFocusedButtonThatIsDisabledLeavesTheFocusWithTheDialog)
{
    start();
    const fs::path path = dropRamp("ramp.wav", 0);
    controller.runIdle();
    writeText(path);
    window.focus = IDC_RELOAD;
    takeLog();

    EXPECT_TRUE(key(Key::Enter));
    controller.runIdle();

    const Log seen = takeLog();
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 3, seen.end()),
              (Log{"main: enable 1000 off", "main: enable 1006 off", "main: focus 0"}));
    window.focus = IDC_SEND;
    dropRamp("other.wav", 0);
    drop(path);
    controller.runIdle();
    const Log again = takeLog();
    EXPECT_EQ(Log(again.end() - 3, again.end()), (Log{"main: enable 1000 off", "main: focus 0", "main: enable 1006 off"}));
}

// --- The file named on the command line ---------------------------------------

TEST_F(MainDialogControllerTest, theCommandLinesFileOpensAfterTheFirstIdlePassWithItsAbsolutePath)
{
    const fs::path path = folder.file("named.wav");
    writeRamp(path, 55);
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    controller.openWhenShown("named.wav");
    fs::current_path(before);

    controller.initialise(window);
    EXPECT_FALSE(wave.loaded);
    controller.runIdle();
    EXPECT_FALSE(wave.loaded);
    takeLog();
    window.runLater();

    EXPECT_EQ(takeLog(), (Log{"main: repaint 1004", "main: path 1005 " + path.string()}));
    EXPECT_EQ(wave.samples[0], 55);
    controller.runIdle();
    EXPECT_TRUE(window.laterActions.empty());
}

// --- Send --------------------------------------------------------------------

TEST_F(MainDialogControllerTest, sendPutsTheWaveIntoTheSelectedSlotOnTheSelectedPort)
{
    start();
    controller.command(IDC_SEND, ControlEvent::Clicked);
    EXPECT_TRUE(midi.calls.empty()) << "nothing is sent before a load";

    dropRamp("ramp.wav", 0);
    window.selectListItem(IDC_PORT, 1);
    window.selectListItem(IDC_WAVE_NUMBER, 31);
    controller.command(IDC_SEND, ControlEvent::Other);
    EXPECT_TRUE(midi.sentMessages.empty());
    controller.command(IDC_SEND, ControlEvent::Clicked);

    ASSERT_EQ(midi.sentMessages.size(), 1u);
    EXPECT_EQ(midi.sentMessages[0][5], 0x7F);
    EXPECT_EQ(midi.calls[1], "open 2");
}

TEST_F(MainDialogControllerTest, aPortThatDoesNotOpenGivesOneErrorBoxAndWithoutPortsTheDefaultIsTried)
{
    midi.devices = {{"Synth", ScriptedMidiOutput::DeviceKind::Synthesizer}};
    midi.openResult = 4;
    start();
    dropRamp("ramp.wav", 0);
    takeLog();

    controller.command(IDC_SEND, ControlEvent::Clicked);

    EXPECT_EQ(window.selectedListData(IDC_PORT), -1);
    EXPECT_EQ(window.toolTips[IDC_PORT],
              "No hardware MIDI output port was found.\nConnect a MIDI interface and start the program again.");
    EXPECT_EQ(midi.calls, (std::vector<std::string>{"createSignal", "open -1", "errorText 4 99"}));
    EXPECT_EQ(takeLog(),
              (Log{"main: box error: Error: Failed to open the specified MIDI port. The device is already in use."}));
}

// --- The Wave Tweaker, About and the end ---------------------------------------

TEST_F(MainDialogControllerTest, theTweakerOpensOnlyWithAWaveOnTheNtFamilyAndThePictureRepaintsAfter)
{
    start();
    int runs = 0;
    window.modal = [&](int templateId, DialogController* tweaker) {
        EXPECT_EQ(templateId, IDD_WAVE_TWEAKER);
        EXPECT_NE(tweaker, nullptr);
        ++runs;
        return 2;
    };
    controller.command(IDC_WAVE_VIEW, ControlEvent::DoubleClicked);
    dropRamp("ramp.wav", 0);
    setWindowsNT(false);
    controller.command(IDC_WAVE_VIEW, ControlEvent::DoubleClicked);
    controller.command(ID_EDIT_WAVE, ControlEvent::Other);
    setWindowsNT(true);
    controller.command(IDC_WAVE_VIEW, ControlEvent::Clicked);
    EXPECT_EQ(runs, 0);
    takeLog();

    controller.command(IDC_WAVE_VIEW, ControlEvent::DoubleClicked);
    EXPECT_TRUE(key(Key::Control, 'E'));

    EXPECT_EQ(takeLog(), (Log{"main: modal 201", "main: repaint 1004", "main: modal 201", "main: repaint 1004"}));
}

// Quit, Esc and the close box give 2, Enter elsewhere than on a push button
// gives 1; Listen stops first, so that nothing plays once the window has gone.
TEST_F(MainDialogControllerTest, theProgramEndsWithItsCodeAfterListenHasStopped)
{
    start();
    controller.command(ID_LISTEN, ControlEvent::Other);
    ASSERT_TRUE(controller.listening());
    takeLog();
    preview.onStop = [this] { log.push_back("preview stops"); };

    controller.command(IDCANCEL, ControlEvent::Other);
    EXPECT_EQ(takeLog(), (Log{"preview stops", "main: end 2"}));
    controller.command(IDOK, ControlEvent::Other);
    EXPECT_EQ(takeLog(), (Log{"main: end 1"}));
}

// --- The pictures' commands -----------------------------------------------------

TEST_F(MainDialogControllerTest, openLoadsThePickAsADropAndCancelChangesNothing)
{
    start();
    writeRamp(folder.file("picked.wav"), 100);
    window.openAnswer = folder.file("picked.wav");

    controller.command(ID_FILE_OPEN, ControlEvent::Other);
    window.openAnswer.reset();
    controller.command(ID_FILE_OPEN, ControlEvent::Other);

    EXPECT_EQ(takeLog(), (Log{"main: choose file to open", "main: repaint 1004",
                              "main: path 1005 " + folder.file("picked.wav").string(), "main: choose file to open"}));
    EXPECT_EQ(controller.currentPath(), folder.file("picked.wav"));
}

// Save from either window saves the wave as it is for the slot that the main
// dialog's Wave # list shows; its file dialog and boxes belong to the window
// the command came from.
TEST_F(MainDialogControllerTest, saveFromEitherWindowIsOwnedByThatWindowAndUsesTheSelectedSlot)
{
    start();
    controller.runPictureCommand(ID_FILE_SAVE_AS, PictureWindow::mainDialog, window);
    EXPECT_TRUE(log.empty()) << "Save needs a wave";
    dropRamp("saw.wav", 0);
    window.selectListItem(IDC_WAVE_NUMBER, 4);
    window.saveAnswer = folder.file("main.syx");
    tweakerWindow.saveAnswer = folder.file("tweaker.mp3");
    takeLog();

    controller.command(ID_FILE_SAVE_AS, ControlEvent::Other);
    controller.runPictureCommand(ID_FILE_SAVE_AS, PictureWindow::waveTweaker, tweakerWindow);

    const Log seen = takeLog();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "main: choose where to save, offering saw.wav");
    EXPECT_EQ(seen[1], "tweaker: choose where to save, offering saw.wav");
    EXPECT_EQ(seen[2].rfind("tweaker: box warning: The wave was not saved", 0), 0u);
    EXPECT_EQ(FileBytes::read(folder.file("main.syx")).at(5), 100);
}

TEST_F(MainDialogControllerTest, listenIsOneToggleForBothWindowsAndARefusalIsToldOverTheWindowAsked)
{
    start();
    preview.refusal = "Device or resource busy";
    controller.runPictureCommand(ID_LISTEN, PictureWindow::waveTweaker, tweakerWindow);
    EXPECT_EQ(takeLog(), (Log{"tweaker: box warning: Failed to open the audio output. Device or resource busy"}));
    preview.refusal.clear();

    EXPECT_TRUE(key(Key::Control, 'L'));
    EXPECT_TRUE(controller.pictureMenu(PictureWindow::waveTweaker)[2].checked);
    EXPECT_TRUE(key(Key::Control, 'L', true));
    EXPECT_TRUE(controller.listening()) << "a held key runs its command once";
    controller.runPictureCommand(ID_LISTEN, PictureWindow::waveTweaker, tweakerWindow);
    EXPECT_FALSE(controller.listening());
    EXPECT_EQ(preview.calls, (std::vector<std::string>{"start", "start", "stop"}));
}

TEST_F(MainDialogControllerTest, thePicturesMenuOpensAtTheClickOrAtThePictureAndRunsThePick)
{
    start();
    window.menuPick = ID_LISTEN;
    controller.pictureMenuRequested(Point{300, 200});
    EXPECT_TRUE(controller.listening());
    window.menuPick = 0;
    EXPECT_TRUE(key(Key::ContextMenu));

    EXPECT_EQ(takeLog(), (Log{"main: menu near 1004 at 300,200", "main: menu near 1004"}));
    ASSERT_EQ(window.menusShown.size(), 2u);
    EXPECT_EQ(window.menusShown[0].size(), 6u);
    EXPECT_TRUE(window.menusShown[1][2].checked);
}

// --- Import Cycle ----------------------------------------------------------------

// Four cycles of 128 frames of a sine at amplitude.
void writeSineCycles(const fs::path& path, double amplitude)
{
    std::vector<std::int16_t> samples;
    for (int n = 0; n < 512; ++n)
        samples.push_back(static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * n / 128))));
    FileBytes::write(path, WavBytes::monoWav(samples));
}

// The user's part in the Import Cycle window: the cycle typed, then OK, or Cancel.
std::function<int(int, DialogController*)> importWindowAnswering(ScriptedWindow& window, const char* length, int code)
{
    return [&window, length, code](int templateId, DialogController* importer) {
        EXPECT_EQ(templateId, IDD_IMPORT_CYCLE);
        importer->initialise(window);
        window.setControlText(IDC_CYCLE_START, "0");
        window.setControlText(IDC_CYCLE_LENGTH, length);
        importer->command(IDC_CYCLE_LENGTH, ControlEvent::Changed);
        importer->command(code == 1 ? IDOK : IDCANCEL, ControlEvent::Clicked);
        return code;
    };
}

// OK makes the cycle's wave the current wave with the resampled mark, shows
// the cycle after the path, and Reload makes it again from the file as it now
// is; a file that is gone then leaves no wave. Cancel and a refused file change nothing.
TEST_F(MainDialogControllerTest, importCycleMakesTheCurrentWaveAndReloadMakesItAgain)
{
    start();
    const fs::path take = folder.file("take.wav");
    writeSineCycles(take, 16000);
    window.openAnswer = take;
    Log importLog;
    ScriptedWindow importWindow("import", importLog);
    window.modal = importWindowAnswering(importWindow, "128", 1);

    EXPECT_TRUE(key(Key::Control, 'I'));
    EXPECT_EQ(takeLog(), (Log{"main: choose file to open", "main: modal 202", "main: repaint 1004",
                              "main: path 1005 " + take.string() + ", cycle at 0, 128 frames"}));
    EXPECT_TRUE(wave.loaded);
    EXPECT_TRUE(wave.resampled);
    EXPECT_NEAR(wave.samples[32], 16000, 1);
    controller.runIdle();
    EXPECT_TRUE(recorded(IDC_RELOAD));

    writeSineCycles(take, -8000);
    controller.command(IDC_RELOAD, ControlEvent::Clicked);
    EXPECT_NEAR(wave.samples[32], -8000, 1);
    fs::remove(take);
    controller.command(IDC_RELOAD, ControlEvent::Clicked);
    EXPECT_FALSE(wave.loaded);
    const Log reloads = takeLog();
    EXPECT_NE(std::find(reloads.begin(), reloads.end(), std::string("main: box warning: ") + ExpectedMessage::cannotOpen),
              reloads.end());

    // A drop after an import is a plain load again.
    const fs::path ramp = dropRamp("ramp.wav", 100);
    EXPECT_EQ(takeLog().back(), "main: path 1005 " + ramp.string());
    window.openAnswer = ramp;
    window.modal = importWindowAnswering(importWindow, "100", 2);
    controller.command(ID_IMPORT_CYCLE, ControlEvent::Other);
    EXPECT_EQ(wave.samples[0], 100);
    writeText(folder.file("notes.wav"));
    window.openAnswer = folder.file("notes.wav");
    takeLog();
    controller.command(ID_IMPORT_CYCLE, ControlEvent::Other);
    ASSERT_EQ(takeLog().size(), 2u);
    EXPECT_EQ(wave.samples[0], 100);
}

// --- The keyboard ---------------------------------------------------------------

struct KeyRow {
    const char* name;
    int focus;
    KeyPress key;
    bool taken;
    Log seen;
};

class MainDialogKeyTest : public MainDialogControllerTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(MainDialogKeyTest, takesTheKeyAndDoesThis)
{
    start();
    window.focus = GetParam().focus;
    EXPECT_EQ(controller.keyPressed(GetParam().key), GetParam().taken);
    EXPECT_EQ(takeLog(), GetParam().seen);
}

// Enter presses the focused push button however it got the focus; on a list,
// or with the focus on the dialog itself, it is OK.
const KeyRow keyRows[] = {
    {"EnterOnAbout", ID_APP_ABOUT, {Key::Enter}, true, {"main: modal 100"}},
    {"EnterOnQuit", IDCANCEL, {Key::Enter}, true, {"main: end 2"}},
    {"EnterOnThePortList", IDC_PORT, {Key::Enter}, true, {"main: end 1"}},
    {"EnterOnTheDialog", 0, {Key::Enter}, true, {"main: end 1"}},
    {"Escape", IDC_WAVE_NUMBER, {Key::Escape}, true, {"main: end 2"}},
    {"CtrlO", IDC_PORT, {Key::Control, 'O'}, true, {"main: choose file to open"}},
    {"CtrlOHeld", IDC_PORT, {Key::Control, 'O', true}, true, {}},
    {"CtrlSWithoutAWave", 0, {Key::Control, 'S'}, true, {}},
    {"CtrlEWithoutAWave", 0, {Key::Control, 'E'}, true, {}},
    {"CtrlA", 0, {Key::Control, 'A'}, false, {}},
    {"ShiftF10", IDC_SEND, {Key::ContextMenu}, true, {"main: menu near 1004"}},
};

INSTANTIATE_TEST_SUITE_P(Keys, MainDialogKeyTest, ::testing::ValuesIn(keyRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
