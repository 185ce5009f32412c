// What the Win32 windows do with a controller's requests: each request of the
// window interface, made on a main dialog (or a Wave Tweaker or Import Cycle
// window over it), and
// what the native window then shows, one row each.
#include "tests/support/CaseNames.h"
#include "support/DialogWatcher.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/PopupMenuScript.h"
#include "RecordingController.h"

#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

std::string narrow(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), length, nullptr, nullptr);
    return result;
}

class EffectsTest;

struct Effect {
    const char* name;
    // Makes the request and answers what the window shows afterwards.
    std::function<std::string(EffectsTest&)> run;
    std::string seen;
};

class EffectsTest : public testing::TestWithParam<Effect> {
public:
    [[nodiscard]] DialogControls& controls() { return *controller_.window; }
    [[nodiscard]] HWND dialog() const { return harness_.window(); }
    [[nodiscard]] HWND control(int id) const { return harness_.control(id); }
    [[nodiscard]] std::string text(int id) const { return narrow(windowText(control(id))); }
    // Which window this is, as the rows name it.
    [[nodiscard]] std::string nameOf(HWND window) const
    {
        if (window == nullptr)
            return "nobody";
        if (window == dialog())
            return "the dialog";
        return IsChild(dialog(), window) ? "control " + std::to_string(GetDlgCtrlID(window)) : "another window";
    }

    DialogWatcher watcher;
    RecordingController controller_;
    RecordingController tweakerController;
    MainDialogHarness harness_{controller_};
};

TEST_P(EffectsTest, ShowsTheRequest)
{
    ASSERT_TRUE(harness_.created());
    SetForegroundWindow(dialog());
    EXPECT_EQ(GetParam().run(*this), GetParam().seen);
}

std::string enabling(EffectsTest& test)
{
    std::string seen;
    for (const int id : {IDC_SEND, IDC_RELOAD})
        seen += IsWindowEnabled(test.control(id)) ? " on" : " off";
    return seen;
}

std::string portList(EffectsTest& test)
{
    const HWND list = test.control(IDC_PORT);
    std::string seen;
    for (LRESULT index = 0; index < SendMessageW(list, CB_GETCOUNT, 0, 0); ++index) {
        wchar_t label[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(label));
        seen += narrow(label) + '=' + std::to_string(SendMessageW(list, CB_GETITEMDATA, index, 0)) + ' ';
    }
    return seen + "| selected " + std::to_string(SendMessageW(list, CB_GETCURSEL, 0, 0)) + " | answered " +
           std::to_string(test.controls().selectedListData(IDC_PORT));
}

std::string messageBoxes(EffectsTest& test)
{
    static const char* const icons[] = {"no icon", "warning", "error", "other icon"};
    std::string seen;
    for (const DialogWatcher::MessageBoxSeen& box : test.watcher.messageBoxes())
        seen += narrow(box.text) + " | " + narrow(box.caption) + " | " + icons[static_cast<int>(box.icon)] +
                " | owner " + test.nameOf(box.owner) + " / ";
    return seen;
}

// The text of the tooltip over control, and whether the tooltip's width
// holds each line whole; "none" without one.
std::string toolTip(EffectsTest& test, int control)
{
    const HWND tips = test.harness_.dialog().toolTipWindow();
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = test.dialog();
    tool.uId = reinterpret_cast<UINT_PTR>(test.control(control));
    tool.lpszText = text;
    if (tips == nullptr || !SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return "none";
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    const HDC dc = GetDC(tips);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(tips, WM_GETFONT, 0, 0)));
    bool linesWhole = true;
    std::wstring_view rest(text);
    while (!rest.empty()) {
        const std::wstring_view line = rest.substr(0, rest.find(L"\r\n"));
        SIZE extent{};
        GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &extent);
        linesWhole = linesWhole && extent.cx <= SendMessageW(tips, TTM_GETMAXTIPWIDTH, 0, 0);
        rest.remove_prefix(std::min(rest.size(), line.size() + 2));
    }
    SelectObject(dc, font);
    ReleaseDC(tips, dc);
    std::string seen = narrow(text);
    for (std::size_t at = seen.find("\r\n"); at != std::string::npos; at = seen.find("\r\n"))
        seen.replace(at, 2, " / ");
    return seen + (linesWhole ? "" : " (lines broken)");
}

std::string shownItems(const PopupMenuScript& menu)
{
    std::string seen;
    for (const PopupMenuScript::Item& item : menu.items())
        seen += narrow(item.text) + (item.grayed ? " greyed" : "") + (item.checked ? " checked" : "") + " | ";
    return seen;
}

const std::vector<MenuItem> menu{
    {ID_FILE_OPEN, "&Open\u2026", "Ctrl+O", true, false, false},
    {ID_FILE_SAVE_AS, "&Save Wave As\u2026", "Ctrl+S", false, false, false},
    {ID_LISTEN, "&Listen", "Ctrl+L", true, true, true},
};

// The owner of the dialog that open runs, which is cancelled, and what open answered.
std::string ownedDialog(EffectsTest& test, const wchar_t* caption, const std::function<int()>& open)
{
    std::string seen;
    test.watcher.whenOpen(caption, [&](HWND opened) {
        seen = "owner " + test.nameOf(GetWindow(opened, GW_OWNER));
        PostMessageW(opened, WM_COMMAND, IDCANCEL, 0);
    });
    const int answer = open();
    return seen + " | answered " + std::to_string(answer);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, EffectsTest,
    testing::Values(
        Effect{"DisableAndEnable", [](EffectsTest& t) {
                   t.controls().enableControl(IDC_SEND, false);
                   t.controls().enableControl(IDC_RELOAD, false);
                   t.controls().enableControl(IDC_RELOAD, true);
                   return enabling(t);
               }, " off on"},
        Effect{"Text", [](EffectsTest& t) {
                   t.controls().setControlText(IDC_FILE_NAME, "Drop a wave \u2026");
                   return t.text(IDC_FILE_NAME);
               }, "Drop a wave \u2026"},
        // The text set, then typed after by the user, read back as it stands.
        Effect{"TextOfAnEditField", [](EffectsTest& t) {
                   std::string seen;
                   t.watcher.whenOpen(L"Import Cycle", [&](HWND importer) {
                       DialogControls& window = *t.tweakerController.window;
                       window.setControlText(IDC_CYCLE_LENGTH, "\u03A9 1\u2009200");
                       const HWND field = GetDlgItem(importer, IDC_CYCLE_LENGTH);
                       SendMessageW(field, EM_SETSEL, 100, 100);
                       SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L".5"));
                       seen = window.controlText(IDC_CYCLE_LENGTH) + " | " + narrow(windowText(field));
                       window.endDialog(1);
                   });
                   (void)t.controls().runModal(IDD_IMPORT_CYCLE, &t.tweakerController);
                   return seen;
               }, "\u03A9 1\u2009200.5 | \u03A9 1\u2009200.5"},
        Effect{"PathOutsideTheAnsiCodePage", [](EffectsTest& t) {
                   t.controls().setControlPath(IDC_FILE_NAME, L"C:\\\u039A\u03CD\u03BC\u03B1\\\u6CE2.wav");
                   return t.text(IDC_FILE_NAME);
               }, "C:\\\u039A\u03CD\u03BC\u03B1\\\u6CE2.wav"},
        Effect{"ListItemsWithData", [](EffectsTest& t) {
                   t.controls().addListItem(IDC_PORT, "Port A", 4);
                   t.controls().addListItem(IDC_PORT, "Port B", 7);
                   t.controls().selectListItem(IDC_PORT, 1);
                   return portList(t);
               }, "Port A=4 Port B=7 | selected 1 | answered 7"},
        Effect{"ListSelectionPastTheEnd", [](EffectsTest& t) {
                   t.controls().addListItem(IDC_PORT, "Port A", 4);
                   t.controls().selectListItem(IDC_PORT, 0);
                   t.controls().selectListItem(IDC_PORT, 1);
                   return portList(t);
               }, "Port A=4 | selected -1 | answered -1"},
        Effect{"FocusOnAControl", [](EffectsTest& t) {
                   t.controls().focusControl(IDC_RELOAD);
                   return t.nameOf(GetFocus()) + " | answered " + std::to_string(t.controls().focusedControl());
               }, "control 1006 | answered 1006"},
        Effect{"FocusOnTheDialogAfterItsControlWasDisabled", [](EffectsTest& t) {
                   t.controls().focusControl(IDC_RELOAD);
                   t.controls().enableControl(IDC_RELOAD, false);
                   t.controls().focusControl(0);
                   return t.nameOf(GetFocus()) + " | answered " + std::to_string(t.controls().focusedControl());
               }, "the dialog | answered 0"},
        Effect{"KeysWithTheFocusOnTheDialogItself", [](EffectsTest& t) {
                   std::string seen;
                   for (const auto& [name, key, modifier] :
                        {std::tuple{"Tab", VK_TAB, 0}, {"Shift+Tab", VK_TAB, VK_SHIFT}, {"Space", VK_SPACE, 0}}) {
                       t.controls().focusControl(0);
                       t.controller_.take();
                       holdKeys({static_cast<BYTE>(modifier)});
                       postKeyDown(t.dialog(), static_cast<WPARAM>(key));
                       t.harness_.runUntilInputTaken();
                       releaseKeys();
                       seen += std::string(name) + ": " + t.nameOf(GetFocus()) + " | ";
                   }
                   return seen;
               }, "Tab: control 2 | Shift+Tab: control 1006 | Space: the dialog | "},
        Effect{"Repaint", [](EffectsTest& t) {
                   UpdateWindow(t.dialog());
                   t.controls().repaintControl(IDC_WAVE_VIEW);
                   RECT client{};
                   RECT invalid{};
                   GetClientRect(t.control(IDC_WAVE_VIEW), &client);
                   GetUpdateRect(t.control(IDC_WAVE_VIEW), &invalid, FALSE);
                   return std::string(EqualRect(&client, &invalid) ? "whole picture" : "part of the picture") +
                          (GetUpdateRect(t.control(IDC_SEND), nullptr, FALSE) ? ", Send too" : "");
               }, "whole picture"},
        Effect{"MessageBoxes", [](EffectsTest& t) {
                   t.controls().showMessage("Not a mono file.", MessageIcon::Warning);
                   t.controls().showMessage("Error: Busy", MessageIcon::Error);
                   return messageBoxes(t);
               }, "Not a mono file. | Harlix Wave Dump | warning | owner the dialog / "
                  "Error: Busy | Harlix Wave Dump | error | owner the dialog / "},
        Effect{"MenuAtAPoint", [](EffectsTest& t) {
                   PopupMenuScript script(L'l');
                   RECT frame{};
                   GetWindowRect(t.dialog(), &frame);
                   const int picked =
                       t.controls().popUpMenu(menu, IDC_WAVE_VIEW, Point{frame.left + 30, frame.top + 40});
                   return shownItems(script) + "picked " + std::to_string(picked);
               }, "&Open\u2026\tCtrl+O | &Save Wave As\u2026\tCtrl+S greyed | &Listen\tCtrl+L checked | picked 32784"},
        Effect{"MenuFromTheKeyboardAtThePicture", [](EffectsTest& t) {
                   PopupMenuScript script;
                   RECT menuFrame{};
                   script.whileOpen = [&](HWND menuWindow) { GetWindowRect(menuWindow, &menuFrame); };
                   const int picked = t.controls().popUpMenu(menu, IDC_WAVE_VIEW, std::nullopt);
                   RECT view{};
                   GetWindowRect(t.control(IDC_WAVE_VIEW), &view);
                   const POINT corner{menuFrame.left, menuFrame.top};
                   return std::string(PtInRect(&view, corner) ? "over the picture" : "elsewhere") + ", picked " +
                          std::to_string(picked);
               }, "over the picture, picked 0"},
        Effect{"LaterAfterTheMessagesWaiting", [](EffectsTest& t) {
                   PostMessageW(t.dialog(), WM_COMMAND, MAKEWPARAM(IDC_SEND, BN_CLICKED), 0);
                   t.controls().later([&t] { t.controller_.calls.emplace_back("later"); });
                   PostMessageW(t.dialog(), WM_COMMAND, MAKEWPARAM(IDC_RELOAD, BN_CLICKED), 0);
                   t.controller_.take();
                   t.harness_.runUntilInputTaken();
                   std::string seen;
                   for (const std::string& call : t.controller_.take())
                       seen += call == "idle" ? "" : call + " | ";
                   return seen;
               }, "command 1000 clicked | later | command 1006 clicked | "},
        Effect{"EndTheMainDialog", [](EffectsTest& t) {
                   const int code = t.harness_.run([&t] { t.controls().endDialog(2); });
                   return "loop ended with " + std::to_string(code) + (IsWindow(t.dialog()) ? ", window there" : "");
               }, "loop ended with 2"},
        Effect{"ToolTipOfTwoLines", [](EffectsTest& t) {
                   t.controls().setToolTip(IDC_WAVE_VIEW, "Double-click to edit the wave.\nRight-click for Open, "
                                                          "Save Wave As and Listen.");
                   return toolTip(t, IDC_WAVE_VIEW) + " | port: " + toolTip(t, IDC_PORT);
               }, "Double-click to edit the wave. / Right-click for Open, Save Wave As and Listen. | port: none"},
        Effect{"ToolTipReplacedAndRemoved", [](EffectsTest& t) {
                   t.controls().setToolTip(IDC_PORT, "6 MIDI devices here may not be opened");
                   t.controls().setToolTip(IDC_WAVE_VIEW, "first");
                   t.controls().setToolTip(IDC_WAVE_VIEW, "second");
                   const std::string replaced = toolTip(t, IDC_WAVE_VIEW);
                   t.controls().setToolTip(IDC_WAVE_VIEW, "");
                   return replaced + " | " + toolTip(t, IDC_WAVE_VIEW) + " | port: " + toolTip(t, IDC_PORT);
               }, "second | none | port: 6 MIDI devices here may not be opened"},
        Effect{"FileDialogs", [](EffectsTest& t) {
                   using enum DialogControls::OpenTypes;
                   using enum DialogControls::SaveTypes;
                   return ownedDialog(t, L"Open", [&t] { return t.controls().chooseFileToOpen(waveFiles) ? 1 : 0; })
                        + " / "
                        + ownedDialog(t, L"Save Wave As",
                                      [&t] { return t.controls().chooseSaveTarget(L"C:\\saw.wav", wave) ? 1 : 0; });
               }, "owner the dialog | answered 0 / owner the dialog | answered 0"},
        Effect{"AboutBoxOverTheActiveWindow", [](EffectsTest& t) {
                   return ownedDialog(t, L"About", [&t] { return t.controls().runModal(IDD_ABOUTBOX, nullptr); });
               }, "owner the dialog | answered 2"},
        Effect{"WaveTweakerWithItsController", [](EffectsTest& t) {
                   std::string seen;
                   t.watcher.whenOpen(L"Wave Tweaker", [&](HWND tweaker) {
                       seen = "owner " + t.nameOf(GetWindow(tweaker, GW_OWNER)) + " | " +
                              t.tweakerController.take().at(0);
                       // The Tweaker's own window interface ends it.
                       t.tweakerController.window->endDialog(7);
                   });
                   const int answer = t.controls().runModal(IDD_WAVE_TWEAKER, &t.tweakerController);
                   return seen + " | answered " + std::to_string(answer) +
                          (FindWindowW(L"#32770", L"Wave Tweaker") ? ", still open" : "");
               }, "owner the dialog | initialise | answered 7"},
        // A box that the Tweaker's controller asks for (a failed Save there) is
        // the Tweaker's, over the main dialog.
        Effect{"ABoxOverTheWaveTweaker", [](EffectsTest& t) {
                   HWND tweakerWindow = nullptr;
                   t.watcher.whenOpen(L"Wave Tweaker", [&](HWND tweaker) {
                       tweakerWindow = tweaker;
                       t.tweakerController.window->showMessage("The wave was not saved.", MessageIcon::Warning);
                       t.tweakerController.window->endDialog(1);
                   });
                   (void)t.controls().runModal(IDD_WAVE_TWEAKER, &t.tweakerController);
                   const auto& boxes = t.watcher.messageBoxes();
                   return boxes.size() == 1 && boxes[0].owner == tweakerWindow ? "owner the Wave Tweaker"
                                                                               : "owner " + messageBoxes(t);
               }, "owner the Wave Tweaker"}),
    CaseNames::byName);

} // namespace
