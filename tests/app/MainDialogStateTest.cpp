// The main dialog's rules without a window: load and reload of real WAV files,
// in the order the user sees them (the picture, the warning box, the buttons'
// records, the file name), Send and Reload following the last load, and when a
// double click may open the Wave Tweaker.

#include "tests/support/LoaderMessages.h"
#include "FileBytes.h"
#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "ScriptedFileChooser.h"
#include "WavBytes.h"
#include "app/MainDialogState.h"
#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "transfer/SenderControls.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

std::string onOff(bool on)
{
    return on ? "on" : "off";
}

// A mono 16-bit PCM file at 44100 Hz whose sample i is first + i * step.
void writeRamp(const fs::path& path, int count, int first, int step)
{
    FileBytes::write(path, WavBytes::monoWav(SampleRuns::ramp(count, first, step)));
}

void writeText(const fs::path& path)
{
    FileBytes::write(path, "Not a RIFF file at all.\n");
}

// Each call writes down what the user would see at that moment, and the
// buttons' recorded state.
class RecordingWindow final : public MainDialogWindow {
public:
    RecordingWindow(Log& log, const Waveshape& wave) : log_(log), wave_(wave) {}
    void watch(MainDialogState& state) { state_ = &state; }

    void repaintWaveView() override
    {
        log_.push_back(wave_.loaded ? "repaint: sample 0 is " + std::to_string(wave_.samples[0]) : "repaint: empty");
    }
    void showFileName(const fs::path& path) override
    {
        log_.push_back("name: " + path.filename().string() + ", send " + onOff(recorded(IDC_SEND)) + ", reload "
                       + onOff(recorded(IDC_RELOAD)));
    }
    [[nodiscard]] bool recorded(int id) const { return state_->controlStates().enabled(id); }

private:
    Log& log_;
    const Waveshape& wave_;
    MainDialogState* state_ = nullptr;
};

class RecordingPresenter final : public MessagePresenter {
public:
    RecordingPresenter(Log& log, const RecordingWindow& window) : log_(log), window_(window) {}
    void show(const char* text, const char* caption, MessageIcon icon) override
    {
        log_.push_back(std::string("box: ") + text + " | " + caption + " | "
                       + (icon == MessageIcon::Warning ? "warning" : "error") + " | send "
                       + onOff(window_.recorded(IDC_SEND)));
    }

private:
    Log& log_;
    const RecordingWindow& window_;
};

class MainDialogStateTest : public ::testing::Test {
protected:
    MainDialogStateTest()
    {
        window.watch(state);
        state.controlStates().addContainer(
            [this](int id, bool enabled) { log.push_back("apply " + std::to_string(id) + " " + onOff(enabled)); });
    }
    ~MainDialogStateTest() override { setWindowsNT(false); }

    void load(const fs::path& path)
    {
        state.setCurrentPath(path);
        state.loadCurrentFile();
    }
    Log takeLog() { return std::exchange(log, {}); }

    ScratchDirectory folder;
    Log log;
    Waveshape wave;
    RecordingWindow window{log, wave};
    RecordingPresenter messages{log, window};
    MainDialogState state{wave, messages, window};
};

TEST_F(MainDialogStateTest, initialisationRecordsSendAndReloadDisabled)
{
    state.initialise();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(state.controlStates().pending());
    state.applyControlStates();
    EXPECT_EQ(takeLog(), (Log{"apply 1000 off", "apply 1006 off"}));
}

TEST_F(MainDialogStateTest, nothingAtAllBeforeTheFirstPath)
{
    state.initialise();
    state.applyControlStates();
    takeLog();
    wave.samples.fill(7);

    state.loadCurrentFile();

    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(state.controlStates().pending());
    EXPECT_FALSE(wave.loaded);
    EXPECT_EQ(wave.samples[0], 7);
    EXPECT_STREQ(wave.lastError, "");
}

TEST_F(MainDialogStateTest, aPathAloneLoadsNothing)
{
    const fs::path path = folder.file("ramp.wav");
    writeRamp(path, 128, -12800, 200);
    state.setCurrentPath(path);
    EXPECT_EQ(state.currentPath(), path);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(wave.loaded);
}

TEST_F(MainDialogStateTest, validFileRepaintsThenShowsItsNameWithTheButtonsRecordedOn)
{
    state.initialise();
    state.applyControlStates();
    takeLog();
    const fs::path path = folder.file("ramp.wav");
    writeRamp(path, 128, -12800, 200);

    load(path);

    EXPECT_EQ(takeLog(), (Log{"repaint: sample 0 is -12800", "name: ramp.wav, send on, reload on"}));
    EXPECT_TRUE(wave.loaded);
    EXPECT_EQ(wave.samples[127], -12800 + 127 * 200);
    state.applyControlStates();
    EXPECT_EQ(takeLog(), (Log{"apply 1000 on", "apply 1006 on"}));
}

// The box comes after the repaint and before the buttons are recorded as off;
// the name box then shows the file that failed.
TEST_F(MainDialogStateTest, invalidFileAfterAValidOne)
{
    const fs::path good = folder.file("good.wav");
    writeRamp(good, 128, 0, 100);
    load(good);
    state.applyControlStates();
    takeLog();
    const fs::path notes = folder.file("notes.wav");
    writeText(notes);

    load(notes);

    EXPECT_EQ(takeLog(), (Log{"repaint: empty",
                              std::string("box: ") + ExpectedMessage::notWav
                                  + " | Harlix Wave Dump | warning | send on",
                              "name: notes.wav, send off, reload off"}));
    EXPECT_EQ(state.currentPath(), notes);
    state.applyControlStates();
    EXPECT_EQ(takeLog(), (Log{"apply 1000 off", "apply 1006 off"}));
}

TEST_F(MainDialogStateTest, twoFailedLoadsShowTheBoxTwice)
{
    state.initialise();
    state.applyControlStates();
    takeLog();
    const fs::path shortFile = folder.file("short.wav");
    writeRamp(shortFile, 100, 0, 1);

    load(folder.file("gone.wav"));
    state.applyControlStates();
    load(shortFile);
    state.applyControlStates();

    EXPECT_EQ(takeLog(),
              (Log{"repaint: empty",
                   std::string("box: ") + ExpectedMessage::cannotOpen + " | Harlix Wave Dump | warning | send off",
                   "name: gone.wav, send off, reload off", "repaint: empty",
                   std::string("box: ") + ExpectedMessage::tooFew + " | Harlix Wave Dump | warning | send off",
                   "name: short.wav, send off, reload off"}));
}

// Reload reads the file again as it now is, replacing any edits.
TEST_F(MainDialogStateTest, reloadReadsTheChangedFile)
{
    const fs::path path = folder.file("changing.wav");
    writeRamp(path, 128, 0, 10);
    load(path);
    wave.samples.fill(1234);
    writeRamp(path, 128, 1000, -20);
    takeLog();

    state.loadCurrentFile();

    EXPECT_EQ(takeLog(), (Log{"repaint: sample 0 is 1000", "name: changing.wav, send on, reload on"}));
    EXPECT_EQ(wave.samples[127], 1000 - 127 * 20);
}

// Several loads between two idle passes reach the buttons as one change.
TEST_F(MainDialogStateTest, loadsBetweenTwoIdlePassesReachTheButtonsOnce)
{
    state.initialise();
    state.applyControlStates();
    const fs::path good = folder.file("good.wav");
    writeRamp(good, 128, 0, 100);
    const fs::path bad = folder.file("bad.wav");
    writeText(bad);
    load(good);
    load(bad);
    load(good);
    takeLog();
    state.applyControlStates();
    EXPECT_EQ(takeLog(), (Log{"apply 1000 on", "apply 1006 on"}));
}

TEST_F(MainDialogStateTest, waveTweakerOpensOnlyWithAWaveOnTheNtFamily)
{
    const fs::path path = folder.file("ramp.wav");
    writeRamp(path, 128, 0, 100);

    setWindowsNT(true);
    EXPECT_FALSE(state.mayOpenWaveTweaker());
    load(path);
    EXPECT_TRUE(state.mayOpenWaveTweaker());
    setWindowsNT(false);
    EXPECT_FALSE(state.mayOpenWaveTweaker());

    setWindowsNT(true);
    writeText(path);
    state.loadCurrentFile();
    EXPECT_FALSE(state.mayOpenWaveTweaker());
}

// Open and a file named on the command line load as a drop does, and Reload
// then reads the same file again; a cancelled Open changes nothing.
TEST_F(MainDialogStateTest, openedFileLoadsAsADropAndReloadReadsItAgain)
{
    const fs::path path = folder.file("picked.wav");
    writeRamp(path, 128, 100, 1);
    ScriptedFileChooser chooser;
    chooser.openAnswer = path;

    state.open(chooser);

    EXPECT_EQ(takeLog(), (Log{"repaint: sample 0 is 100", "name: picked.wav, send on, reload on"}));
    writeRamp(path, 128, -5, 1);
    state.loadCurrentFile();
    EXPECT_EQ(wave.samples[0], -5);

    chooser.openAnswer.reset();
    takeLog();
    state.open(chooser);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(state.currentPath(), path);
}

TEST_F(MainDialogStateTest, aRefusedFileFromTheCommandLineShowsTheBox)
{
    const fs::path path = folder.file("notes.wav");
    writeText(path);
    state.initialise();

    state.openFile(path);

    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], std::string("box: ") + ExpectedMessage::notWav + " | Harlix Wave Dump | warning | send off");
    EXPECT_EQ(state.currentPath(), path);
}

} // namespace
