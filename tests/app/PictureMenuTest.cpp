// The pictures' context menu: its three entries in order with their
// shortcuts, and which of them each window offers.

#include "app/PictureMenu.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

using namespace hwd;

namespace {

TEST(PictureMenu, openSaveAndListenWithTheirShortcuts)
{
    const auto entries = pictureMenuEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].commandId, ID_FILE_OPEN);
    EXPECT_EQ(std::string(entries[0].label), "&Open\xE2\x80\xA6");
    EXPECT_EQ(std::string(entries[0].shortcutText), "Ctrl+O");
    EXPECT_EQ(entries[1].commandId, ID_FILE_SAVE_AS);
    EXPECT_EQ(std::string(entries[1].label), "&Save Wave As\xE2\x80\xA6");
    EXPECT_EQ(std::string(entries[1].shortcutText), "Ctrl+S");
    EXPECT_EQ(entries[2].commandId, ID_LISTEN);
    EXPECT_EQ(std::string(entries[2].label), "&Listen");
    EXPECT_EQ(std::string(entries[2].shortcutText), "Ctrl+L");

    EXPECT_EQ(pictureCommandForKey('O'), ID_FILE_OPEN);
    EXPECT_EQ(pictureCommandForKey('s'), ID_FILE_SAVE_AS);
    EXPECT_EQ(pictureCommandForKey('L'), ID_LISTEN);
    EXPECT_EQ(pictureCommandForKey('A'), 0);
    EXPECT_EQ(pictureCommandForKey('\t'), 0);
}

TEST(PictureMenu, openIsTheMainDialogsAndSaveNeedsAWave)
{
    const auto main = PictureWindow::mainDialog;
    const auto tweaker = PictureWindow::waveTweaker;
    EXPECT_TRUE(pictureCommandEnabled(ID_FILE_OPEN, main, false));
    EXPECT_FALSE(pictureCommandEnabled(ID_FILE_OPEN, tweaker, true));
    EXPECT_FALSE(pictureCommandEnabled(ID_FILE_SAVE_AS, main, false));
    EXPECT_TRUE(pictureCommandEnabled(ID_FILE_SAVE_AS, main, true));
    EXPECT_TRUE(pictureCommandEnabled(ID_FILE_SAVE_AS, tweaker, true));
    EXPECT_TRUE(pictureCommandEnabled(ID_LISTEN, main, false));
    EXPECT_TRUE(pictureCommandEnabled(ID_LISTEN, tweaker, true));
    EXPECT_FALSE(pictureCommandEnabled(ID_APP_ABOUT, main, true));
}

} // namespace
