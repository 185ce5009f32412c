// The pictures' menu: its entries in order with their shortcuts, which of them
// each window has and offers, and the main picture's tooltip.

#include "app/PictureCommands.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

const auto mainDialog = PictureWindow::mainDialog;
const auto tweaker = PictureWindow::waveTweaker;

// "label [Ctrl+X]" with "(greyed)" and "(checked)" as the menu shows them.
std::vector<std::string> shown(const std::vector<MenuItem>& items)
{
    std::vector<std::string> lines;
    for (const MenuItem& item : items) {
        lines.push_back(std::string(item.label) + " [" + item.shortcut + "]" + (item.enabled ? "" : " (greyed)")
                        + (item.checkable ? item.checked ? " (checked)" : " (unchecked)" : ""));
    }
    return lines;
}

TEST(PictureMenu, theMainDialogsMenuFollowsTheWaveAndTheGateOfTheDoubleClick)
{
    EXPECT_EQ(shown(pictureMenuItems(mainDialog, {.waveLoaded = false, .mayEditWave = false, .listening = false})),
              (std::vector<std::string>{"&Open\u2026 [Ctrl+O]", "&Save Wave As\u2026 [Ctrl+S] (greyed)",
                                        "&Listen [Ctrl+L] (unchecked)", "&Edit Wave\u2026 [Ctrl+E] (greyed)",
                                        "&Import Cycle\u2026 [Ctrl+I]", "&Bank\u2026 [Ctrl+B]"}));
    // Loaded on a system where the Wave Tweaker does not open: Edit stays greyed.
    EXPECT_EQ(shown(pictureMenuItems(mainDialog, {.waveLoaded = true, .mayEditWave = false, .listening = true})),
              (std::vector<std::string>{"&Open\u2026 [Ctrl+O]", "&Save Wave As\u2026 [Ctrl+S]",
                                        "&Listen [Ctrl+L] (checked)", "&Edit Wave\u2026 [Ctrl+E] (greyed)",
                                        "&Import Cycle\u2026 [Ctrl+I]", "&Bank\u2026 [Ctrl+B]"}));
    EXPECT_TRUE(pictureMenuItems(mainDialog, {true, true, false})[3].enabled);
}

TEST(PictureMenu, theTweakersMenuHasOpenGreyedAndNoEdit)
{
    EXPECT_EQ(shown(pictureMenuItems(tweaker, {.waveLoaded = true, .mayEditWave = true, .listening = false})),
              (std::vector<std::string>{"&Open\u2026 [Ctrl+O] (greyed)", "&Save Wave As\u2026 [Ctrl+S]",
                                        "&Listen [Ctrl+L] (unchecked)"}));
    EXPECT_EQ(shown(pictureMenuItems(PictureWindow::importCycle, {true, true, true})),
              (std::vector<std::string>{"&Listen [Ctrl+L] (checked)"}));
}

TEST(PictureMenu, eachShortcutGivesItsCommandWhereTheWindowHasIt)
{
    EXPECT_EQ(pictureCommandForKey('O', mainDialog), ID_FILE_OPEN);
    EXPECT_EQ(pictureCommandForKey('s', mainDialog), ID_FILE_SAVE_AS);
    EXPECT_EQ(pictureCommandForKey('L', tweaker), ID_LISTEN);
    EXPECT_EQ(pictureCommandForKey('E', mainDialog), ID_EDIT_WAVE);
    EXPECT_EQ(pictureCommandForKey('E', tweaker), 0);
    EXPECT_EQ(pictureCommandForKey('i', mainDialog), ID_IMPORT_CYCLE);
    EXPECT_EQ(pictureCommandForKey('I', tweaker), 0);
    EXPECT_EQ(pictureCommandForKey('b', mainDialog), ID_BANK);
    EXPECT_EQ(pictureCommandForKey('B', tweaker), 0);
    EXPECT_EQ(pictureCommandForKey('L', PictureWindow::bank), 0);
    EXPECT_EQ(pictureCommandForKey('O', PictureWindow::importCycle), 0);
    EXPECT_EQ(pictureCommandForKey('L', PictureWindow::importCycle), ID_LISTEN);
    EXPECT_EQ(pictureCommandForKey('A', mainDialog), 0);
    EXPECT_EQ(pictureCommandForKey('\t', mainDialog), 0);
    EXPECT_FALSE(pictureCommandEnabled(ID_APP_ABOUT, mainDialog, {true, true, true}));
}

TEST(PictureMenu, theToolTipHintsAtTheDoubleClickOnlyWhileItWorksAndBreaksNoName)
{
    EXPECT_STREQ(waveViewToolTip(true), "Double-click to edit the wave.\nRight-click for Open, Save Wave As and Listen.");
    EXPECT_STREQ(waveViewToolTip(false), "Right-click for Open, Save Wave As and Listen.");
}

} // namespace
