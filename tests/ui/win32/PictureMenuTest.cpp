// The pictures' popup menu: what a right click on either picture offers, in
// which state, and that a pick runs the command; the main picture's tooltip.
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/MouseInput.h"
#include "support/PopupMenuScript.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPreviewOutput.h"
#include "support/TestWaves.h"

#include "tests/support/CaseNames.h"

#include "ui/win32/PictureMenuPopup.h"

#include "app/ResourceIds.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

struct MenuCase {
    const char* name;
    PictureWindow where;
    bool loaded;
    bool listening;
    bool openGrayed;
    bool saveGrayed;
};

class PictureMenuStates : public testing::TestWithParam<MenuCase> {};

TEST_P(PictureMenuStates, GreysWhatIsNotOfferedAndChecksListen)
{
    const MenuCase& row = GetParam();
    const HMENU menu = createPictureMenu(row.where, row.loaded, row.listening);
    const std::vector<PopupMenuScript::Item> items = menuItems(menu);
    DestroyMenu(menu);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].commandId, ID_FILE_OPEN);
    EXPECT_EQ(items[1].commandId, ID_FILE_SAVE_AS);
    EXPECT_EQ(items[2].commandId, ID_LISTEN);
    EXPECT_EQ(items[0].grayed, row.openGrayed);
    EXPECT_EQ(items[1].grayed, row.saveGrayed);
    EXPECT_FALSE(items[2].grayed);
    EXPECT_FALSE(items[0].checked);
    EXPECT_FALSE(items[1].checked);
    EXPECT_EQ(items[2].checked, row.listening);
}

INSTANTIATE_TEST_SUITE_P(
    States, PictureMenuStates,
    testing::Values(MenuCase{"MainEmpty", PictureWindow::mainDialog, false, false, false, true},
                    MenuCase{"MainLoaded", PictureWindow::mainDialog, true, false, false, false},
                    MenuCase{"MainListening", PictureWindow::mainDialog, true, true, false, false},
                    MenuCase{"TweakerLoaded", PictureWindow::waveTweaker, true, false, true, false},
                    MenuCase{"TweakerListening", PictureWindow::waveTweaker, true, true, true, false}),
    CaseNames::byName);

POINT middleOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right / 2, client.bottom / 2};
}

TEST(PictureMenuMainDialog, RightClickOnThePictureOffersTheThreeCommands)
{
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.previewOutput = &output});
    harness.runUntilIdle();
    PopupMenuScript menu;
    rightClickAt(harness.control(IDC_WAVE_VIEW), middleOf(harness.control(IDC_WAVE_VIEW)));
    harness.runUntilIdle();
    ASSERT_TRUE(menu.opened());
    ASSERT_EQ(menu.items().size(), 3u);
    EXPECT_EQ(menu.items()[0].text, L"&Open\u2026\tCtrl+O");
    EXPECT_EQ(menu.items()[1].text, L"&Save Wave As\u2026\tCtrl+S");
    EXPECT_EQ(menu.items()[2].text, L"&Listen\tCtrl+L");
    EXPECT_FALSE(menu.items()[0].grayed);
    EXPECT_TRUE(menu.items()[1].grayed);
    EXPECT_FALSE(menu.items()[2].grayed);
    EXPECT_TRUE(output.calls.empty());
}

TEST(PictureMenuMainDialog, PickingListenStartsThePreviewAndChecksIt)
{
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.previewOutput = &output});
    harness.runUntilIdle();
    const HWND view = harness.control(IDC_WAVE_VIEW);
    {
        PopupMenuScript menu(L'l');
        rightClickAt(view, middleOf(view));
        harness.runUntilIdle();
        ASSERT_TRUE(menu.opened());
        EXPECT_EQ(output.calls, std::vector<std::string>{"start"});
    }
    PopupMenuScript menu;
    rightClickAt(view, middleOf(view));
    harness.runUntilIdle();
    ASSERT_EQ(menu.items().size(), 3u);
    EXPECT_TRUE(menu.items()[2].checked);
}

TEST(PictureMenuMainDialog, PickingSaveWithAWaveLoadedAsksWhere)
{
    ScriptedFileChooser chooser;
    MainDialogHarness harness({.fileChooser = &chooser});
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();
    PopupMenuScript menu(L's');
    rightClickAt(harness.control(IDC_WAVE_VIEW), middleOf(harness.control(IDC_WAVE_VIEW)));
    harness.runUntilIdle();
    ASSERT_TRUE(menu.opened());
    EXPECT_EQ(chooser.saveSuggestions.size(), 1u);
}

TEST(PictureMenuMainDialog, ARightClickBesideThePictureOpensNothing)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    PopupMenuScript menu;
    RECT view{};
    GetWindowRect(harness.control(IDC_WAVE_VIEW), &view);
    POINT besideTheView{view.left - 4, view.top + 4};
    ScreenToClient(harness.window(), &besideTheView);
    rightClickAt(harness.window(), besideTheView);
    harness.runUntilInputTaken();
    EXPECT_FALSE(menu.opened());
}

// The title bar keeps its own menu, the system menu with Close.
TEST(PictureMenuMainDialog, ARightClickOnTheTitleBarStillOpensTheSystemMenu)
{
    MainDialogHarness harness;
    harness.runUntilIdle();
    PopupMenuScript menu;
    RECT frame{};
    GetWindowRect(harness.window(), &frame);
    POINT caption{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 1};
    ScreenToClient(harness.window(), &caption);
    rightClickAt(harness.window(), caption);
    harness.runUntilIdle();
    ASSERT_TRUE(menu.opened());
    bool hasClose = false;
    for (const PopupMenuScript::Item& item : menu.items())
        hasClose = hasClose || item.commandId == SC_CLOSE;
    EXPECT_TRUE(hasClose);
    EXPECT_TRUE(IsWindow(harness.window()));
}

// In the Tweaker a right click over the view, even in edit mode, opens the
// menu and draws nothing; Open is greyed there, and Listen is the program's.
TEST(PictureMenuTweaker, RightClickOffersSaveAndListenAndNeverDraws)
{
    DialogWatcher watcher;
    ScriptedFileChooser chooser;
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.fileChooser = &chooser, .previewOutput = &output});
    harness.drop({TestWaves::file(TestWaves::square)});
    harness.runUntilIdle();

    SampleArray afterRightClick{};
    SampleArray beforeRightClick{};
    PopupMenuScript firstMenu(L'l');
    watcher.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        const HWND view = GetDlgItem(editor, IDC_WAVE_VIEW);
        // A left press first, so that the view is in edit mode.
        POINT press{10, 10};
        MapWindowPoints(view, editor, &press, 1);
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(press.x, press.y));
        beforeRightClick = currentWaveshape().samples;
        rightClickAt(view, middleOf(view));
        postOkWhenInputTaken(editor);
    });
    SendMessageW(harness.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    afterRightClick = currentWaveshape().samples;

    ASSERT_TRUE(firstMenu.opened());
    ASSERT_EQ(firstMenu.items().size(), 3u);
    EXPECT_TRUE(firstMenu.items()[0].grayed);
    EXPECT_FALSE(firstMenu.items()[1].grayed);
    EXPECT_FALSE(firstMenu.items()[2].grayed);
    EXPECT_EQ(afterRightClick, beforeRightClick);
    EXPECT_EQ(output.calls, std::vector<std::string>{"start"});
}

TEST(PictureToolTip, TellsWhatTheClicksOnTheMainPictureDo)
{
    MainDialogHarness harness;
    const HWND toolTip = harness.dialog().toolTip();
    ASSERT_NE(toolTip, nullptr);
    ASSERT_EQ(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(toolTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(harness.control(IDC_WAVE_VIEW)));
    EXPECT_TRUE(tool.uFlags & TTF_SUBCLASS);
    EXPECT_EQ(std::wstring(text), L"Double-click to edit the wave. Right-click for Open, Save Wave As and Listen.");
}

} // namespace
