// The Wave Tweaker's rules without a window: the opening snapshot, the six
// buttons each followed by a repaint of its picture, Random PD's seed, the two
// endings, the keyboard, and the picture's menu run through the main dialog's
// commands with the Tweaker as their window.

#include "ScriptedWindow.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "app/WaveTweakerController.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

using Log = ScriptedWindow::Log;
using Key = KeyPress::Key;

// Records what the Tweaker asks of the main dialog's commands.
class RecordingCommands final : public PictureCommands {
public:
    explicit RecordingCommands(Log& log) : log_(log) {}
    std::vector<MenuItem> pictureMenu(PictureWindow where) const override
    {
        log_.push_back(where == PictureWindow::waveTweaker ? "menu of the tweaker" : "menu of the main dialog");
        return {{ID_LISTEN, "&Listen", "Ctrl+L", true, true, false}};
    }
    void runPictureCommand(int commandId, PictureWindow where, DialogControls& from) override
    {
        log_.push_back("command " + std::to_string(commandId) + (where == PictureWindow::waveTweaker ? " from the tweaker" : "")
                       + (&from == window ? " over its window" : ""));
    }
    const DialogControls* window = nullptr;

private:
    Log& log_;
};

class WaveTweakerControllerTest : public ::testing::Test {
protected:
    WaveTweakerControllerTest()
    {
        wave.loaded = true;
        for (std::size_t i = 0; i < wave.samples.size(); ++i)
            wave.samples[i] = static_cast<std::int16_t>(i % 2 == 0 ? 20000 : -3000);
        commands.window = &window;
        tweaker.initialise(window);
        log.clear();
    }

    Log log;
    ScriptedWindow window{"tweaker", log};
    RecordingCommands commands{log};
    Waveshape wave;
    std::vector<std::uint32_t> seedsGiven;
    WaveTweakerController tweaker{wave, [this] { return seedsGiven.emplace_back(4242u + seedsGiven.size()); }, commands};
};

TEST_F(WaveTweakerControllerTest, openingTakesTheSnapshotAndFocusesOk)
{
    Waveshape fresh = wave;
    fresh.undo.fill(5);
    WaveTweakerController opened(fresh, {}, commands);
    opened.initialise(window);
    EXPECT_EQ(fresh.undo, fresh.samples);
    EXPECT_EQ(log, (Log{"tweaker: focus 1"}));
}

// Each button runs its own operation and repaints the picture; only a click counts.
TEST_F(WaveTweakerControllerTest, eachButtonRunsItsOperationAndRepaintsThePicture)
{
    tweaker.command(IDC_CLEAR, ControlEvent::Other);
    EXPECT_EQ(wave.samples[0], 20000);
    tweaker.command(IDC_CLEAR, ControlEvent::Clicked);
    EXPECT_EQ(wave.samples[0], 0);
    EXPECT_EQ(wave.undo[0], 20000);
    tweaker.command(IDC_UNDO, ControlEvent::Clicked);
    EXPECT_EQ(wave.samples[1], -3000);
    tweaker.command(IDC_NORMALIZE, ControlEvent::Clicked);
    EXPECT_EQ(wave.samples[0], 32767);
    EXPECT_EQ(log, (Log{"tweaker: repaint 1004", "tweaker: repaint 1004", "tweaker: repaint 1004"}));
    EXPECT_TRUE(seedsGiven.empty()) << "only Random PD asks for a seed";
}

TEST_F(WaveTweakerControllerTest, randomPdTakesAFreshSeedAtEachClick)
{
    Waveshape expected = wave;
    WaveOperations::randomPD(expected, 4242);
    WaveOperations::randomPD(expected, 4243);

    tweaker.command(IDC_RANDOM_PD, ControlEvent::Clicked);
    tweaker.command(IDC_RANDOM_PD, ControlEvent::Clicked);

    EXPECT_EQ(seedsGiven, (std::vector<std::uint32_t>{4242, 4243}));
    EXPECT_EQ(wave.samples, expected.samples);
}

// Enter presses the focused push button, so a clicked Clear cleared again
// keeps the Tweaker open; elsewhere Enter is OK (1) and Esc gives 2.
TEST_F(WaveTweakerControllerTest, theKeysOfTheTweaker)
{
    window.focus = IDC_CLEAR;
    EXPECT_TRUE(tweaker.keyPressed({Key::Enter}));
    EXPECT_EQ(wave.samples[0], 0);
    window.focus = IDOK;
    EXPECT_TRUE(tweaker.keyPressed({Key::Enter}));
    window.focus = 0;
    EXPECT_TRUE(tweaker.keyPressed({Key::Enter}));
    EXPECT_TRUE(tweaker.keyPressed({Key::Escape}));
    EXPECT_FALSE(tweaker.keyPressed({Key::Control, 'E'}));
    EXPECT_TRUE(tweaker.keyPressed({Key::Control, 'S'}));
    EXPECT_TRUE(tweaker.keyPressed({Key::Control, 'O'}));

    EXPECT_EQ(log, (Log{"tweaker: repaint 1004", "tweaker: end 1", "tweaker: end 1", "tweaker: end 2",
                        "command 57603 from the tweaker over its window",
                        "command 57601 from the tweaker over its window"}));
}

TEST_F(WaveTweakerControllerTest, thePicturesMenuIsTheMainDialogsForTheTweaker)
{
    window.menuPick = ID_LISTEN;
    tweaker.pictureMenuRequested(Point{10, 20});
    window.menuPick = 0;
    tweaker.pictureMenuRequested(std::nullopt);

    EXPECT_EQ(log, (Log{"menu of the tweaker", "tweaker: menu near 1004 at 10,20",
                        "command 32784 from the tweaker over its window", "menu of the tweaker",
                        "tweaker: menu near 1004"}));
}

} // namespace
