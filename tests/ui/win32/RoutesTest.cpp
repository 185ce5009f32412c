// The Win32 program's routes: each native event of its four dialogs and the
// controller call it becomes, one row each, against a controller that only
// writes its calls down. What a call then does is the controllers' own
// business, tested in tests/app.
#include "support/DialogWatcher.h"
#include "support/DropFiles.h"
#include "support/KeyboardInput.h"
#include "support/MainDialogHarness.h"
#include "support/MouseInput.h"
#include "support/Pixels.h"
#include "RecordingController.h"

#include "ui/win32/WaveTweakerDialog.h"

#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

using Calls = std::vector<std::string>;

// The control given the focus before a row (0: the dialog itself), whose own
// focus notices are not the row's.
enum Focus : int { asItWas = -1 };

struct Route {
    const char* name;
    int focus;
    std::function<void(HWND dialog)> act;
    Calls calls;
};

constexpr LPARAM repeat = LPARAM{1} << 30;

// The idle passes between a row's messages are the loop's, not the row's.
Calls withoutIdle(Calls calls)
{
    calls.erase(std::remove(calls.begin(), calls.end(), "idle"), calls.end());
    return calls;
}

void check(const Route& route, RecordingController& controller)
{
    const Calls seen = controller.take();
    const bool idleRow = std::find(route.calls.begin(), route.calls.end(), "idle") != route.calls.end();
    EXPECT_EQ(idleRow ? seen : withoutIdle(seen), route.calls) << route.name;
}

std::function<void(HWND)> clicked(int button)
{
    return [=](HWND dialog) { SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0); };
}

std::function<void(HWND)> notified(int control, WORD notification)
{
    return [=](HWND dialog) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(control, notification),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
    };
}

// A key's press posted to the focused window, fetched by the loop that runs
// next, with the modifiers held as it is handled.
std::function<void(HWND)> posted(WPARAM key, std::array<BYTE, 2> held = {}, UINT message = WM_KEYDOWN,
                                 LPARAM flags = 0)
{
    return [=](HWND) {
        holdKeys(held);
        postKeyDown(GetFocus(), key, message, flags);
    };
}

// A key typed on the keyboard.
std::function<void(HWND)> typed(WORD key, WORD modifier = 0)
{
    return [=](HWND) { pressKey(key, modifier); };
}

void prepare(const Route& route, HWND dialog)
{
    SetForegroundWindow(dialog);
    if (route.focus != asItWas)
        SetFocus(route.focus == 0 ? dialog : GetDlgItem(dialog, route.focus));
}

POINT middleOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right / 2, client.bottom / 2};
}

std::string menuAt(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return "menu at " + std::to_string(client.x) + ',' + std::to_string(client.y);
}

class RoutesTest : public testing::Test {
protected:
    void TearDown() override { releaseKeys(); }

    // Each row's messages taken by the main loop before its calls are read.
    void holdAgainst(HWND dialog, RecordingController& controller, const std::vector<Route>& routes)
    {
        for (const Route& route : routes) {
            prepare(route, dialog);
            controller.take();
            route.act(dialog);
            harness_.runUntilInputTaken();
            releaseKeys();
            check(route, controller);
        }
    }

    RecordingController controller_;
    MainDialogHarness harness_{controller_};
};

TEST_F(RoutesTest, MainDialog)
{
    ASSERT_TRUE(harness_.created());
    EXPECT_EQ(controller_.take(), Calls{"initialise"});
    EXPECT_EQ(controller_.window, static_cast<DialogControls*>(&harness_.dialog()));
    const HWND view = harness_.control(IDC_WAVE_VIEW);
    const POINT inView{20, 30};
    const HWND otherWindow =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    holdAgainst(harness_.window(), controller_, {
        {"Send's click", asItWas, clicked(IDC_SEND), {"command 1000 clicked"}},
        {"Reload's click", asItWas, clicked(IDC_RELOAD), {"command 1006 clicked"}},
        {"About's click", asItWas, clicked(ID_APP_ABOUT), {"command 57664 clicked"}},
        {"Quit's click", asItWas, clicked(IDCANCEL), {"command 2 clicked"}},
        {"Send double-clicked", asItWas, notified(IDC_SEND, BN_DOUBLECLICKED), {"command 1000 other"}},
        {"double click on the picture", asItWas,
         [&](HWND) { SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(inView.x, inView.y)); },
         {"command 1004 double clicked"}},
        {"the close box", asItWas, [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
         {"command 2 clicked"}},
        {"right click over the picture", asItWas, [&](HWND) { rightClickAt(view, inView); }, {menuAt(view, inView)}},
        {"right click beside the picture", asItWas, [&](HWND dialog) {
             RECT frame{};
             GetWindowRect(view, &frame);
             POINT beside{frame.left - 4, frame.top + 4};
             ScreenToClient(dialog, &beside);
             rightClickAt(dialog, beside);
         }, {}},
        {"the keyboard's menu request", asItWas, [](HWND dialog) { SendMessageW(dialog, WM_CONTEXTMENU, 0, -1); }, {}},
        {"three files dropped", asItWas,
         [](HWND dialog) { dropFiles(dialog, {L"C:\\a.wav", L"C:\\b.wav", L"C:\\c.txt"}); },
         {"drop C:\\a.wav C:\\b.wav C:\\c.txt"}},
        {"a drop while a modal window runs", asItWas, [](HWND dialog) {
             EnableWindow(dialog, FALSE);
             dropFiles(dialog, {L"C:\\a.wav"});
             EnableWindow(dialog, TRUE);
         }, {}},
        {"the idle pass", asItWas, [](HWND) {}, {"idle"}},
        {"Enter on Reload", IDC_RELOAD, posted(VK_RETURN), {"key Enter"}},
        {"Esc on the port list", IDC_PORT, posted(VK_ESCAPE), {"key Escape"}},
        // The list closes itself: its drop-down, close-up and cancel notices, no key.
        {"Esc in the port list's open drop-down", IDC_PORT, [](HWND dialog) {
             SendMessageW(GetDlgItem(dialog, IDC_PORT), CB_SHOWDROPDOWN, TRUE, 0);
             posted(VK_ESCAPE)(dialog);
         }, {"command 1001 other", "command 1001 other", "command 1001 other"}},
        {"Ctrl+L on the port list", IDC_PORT, posted('L', {VK_CONTROL}), {"key Control L"}},
        {"Ctrl+L held", IDC_PORT, posted('L', {VK_CONTROL}, WM_KEYDOWN, repeat), {"key Control L repeat"}},
        {"Ctrl+Alt+L (AltGr)", IDC_PORT, posted('L', {VK_CONTROL, VK_MENU}), {}},
        {"Ctrl+Shift+S", IDC_SEND, posted('S', {VK_CONTROL, VK_SHIFT}), {}},
        {"Ctrl+F4", IDC_SEND, posted(VK_F4, {VK_CONTROL}), {}},
        {"Shift+F10", IDCANCEL, posted(VK_F10, {VK_SHIFT}, WM_SYSKEYDOWN), {"key ContextMenu"}},
        {"the Menu key", IDC_SEND, posted(VK_APPS), {"key ContextMenu"}},
        {"Tab", IDCANCEL, posted(VK_TAB), {}},
        {"Ctrl+L to another window", asItWas, [=](HWND) {
             holdKeys({VK_CONTROL});
             postKeyDown(otherWindow, 'L');
         }, {}},
        {"Shift+F10 typed", IDC_SEND, typed(VK_F10, VK_SHIFT), {"key ContextMenu"}},
        {"the Menu key typed", IDC_RELOAD, typed(VK_APPS), {"key ContextMenu"}},
        {"Ctrl+E typed on the dialog itself", 0, typed('E', VK_CONTROL), {"key Control E"}},
    });
    DestroyWindow(otherWindow);
}

// Each row runs inside a modal dialog's own loop: its action, then, from a
// timer once the loop has taken what the action posted, its check and the
// next row; the last ends the dialog through its window interface, with 7.
struct ModalRows {
    std::vector<Route> routes;
    RecordingController* controller = nullptr;
    HWND dialog = nullptr;
    std::size_t next = 0;
};
ModalRows modalRows;

void CALLBACK nextModalRow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (modalRows.next > 0) {
        releaseKeys();
        check(modalRows.routes[modalRows.next - 1], *modalRows.controller);
    }
    if (modalRows.next == modalRows.routes.size()) {
        modalRows.controller->window->endDialog(7);
        return;
    }
    prepare(modalRows.routes[modalRows.next], modalRows.dialog);
    modalRows.controller->take();
    modalRows.routes[modalRows.next++].act(modalRows.dialog);
    SetTimer(nullptr, 0, 0, &nextModalRow);
}

TEST_F(RoutesTest, WaveTweaker)
{
    RecordingController tweakerController;
    WaveTweakerDialog tweaker(tweakerController, harness_.wave());
    DialogWatcher watcher;
    Calls atOpening;
    HWND owner = nullptr;
    watcher.whenOpen(L"Wave Tweaker", [&](HWND dialog) {
        atOpening = tweakerController.take();
        owner = GetWindow(dialog, GW_OWNER);
        const HWND view = GetDlgItem(dialog, IDC_WAVE_VIEW);
        const POINT overView = middleOf(view);
        RECT viewFrame{};
        GetWindowRect(view, &viewFrame);
        POINT beside{viewFrame.right + 3, viewFrame.top + 20};
        ScreenToClient(dialog, &beside);
        modalRows = {{
            {"OK's click", asItWas, clicked(IDOK), {"command 1 clicked"}},
            {"Filter's click", asItWas, clicked(IDC_FILTER), {"command 107 clicked"}},
            {"Undo's click", asItWas, clicked(IDC_UNDO), {"command 110 clicked"}},
            {"Enter on Clear", IDC_CLEAR, posted(VK_RETURN), {"key Enter"}},
            {"Esc on Normalize", IDC_NORMALIZE, posted(VK_ESCAPE), {"key Escape"}},
            {"Ctrl+S on Clear", IDC_CLEAR, posted('S', {VK_CONTROL}), {"key Control S"}},
            {"Shift+F10 on OK", IDOK, posted(VK_F10, {VK_SHIFT}, WM_SYSKEYDOWN), {"key ContextMenu"}},
            {"the Menu key typed on Filter", IDC_FILTER, typed(VK_APPS), {"key ContextMenu"}},
            {"Tab on OK", IDOK, posted(VK_TAB), {}},
            {"right click over the picture", asItWas, [=](HWND) { rightClickAt(view, overView); },
             {menuAt(view, overView)}},
            {"right click beside the picture", asItWas, [=](HWND d) { rightClickAt(d, beside); }, {}},
        }, &tweakerController, dialog, 0};
        nextModalRow(nullptr, 0, 0, 0);
    });
    tweaker.run(harness_.window());
    EXPECT_EQ(atOpening, Calls{"initialise"});
    EXPECT_EQ(tweakerController.window, static_cast<DialogControls*>(&tweaker));
    EXPECT_EQ(owner, harness_.window());
    EXPECT_EQ(modalRows.next, modalRows.routes.size());
}

// Four fills, painted in order and cut to the client area: where they land
// in a picture, its far corner, and whether its controller was asked to draw
// for its client area.
const Drawing fourFills{{
    {{0, 0, 5000, 5000}, {255, 255, 255}},
    {{10, 5, 4, 3}, {200, 30, 40}},
    {{-3, -3, 6, 6}, {0, 128, 0}},
    {{11, 6, 1, 1}, {0, 128, 0}},
}, {}};

std::string painted(HWND picture, const RecordingController& controller)
{
    const Pixels pixels = Pixels::of(picture);
    std::string seen;
    for (const POINT at : {POINT{0, 0}, {2, 2}, {3, 3}, {10, 5}, {11, 6}, {13, 7}, {14, 7},
                           {pixels.width() - 1, pixels.height() - 1}}) {
        const COLORREF colour = pixels.at(at.x, at.y);
        seen += std::to_string(GetRValue(colour)) + ',' + std::to_string(GetGValue(colour)) + ',' +
                std::to_string(GetBValue(colour)) + " | ";
    }
    const Size drawn = controller.drawnAt.at(GetDlgCtrlID(picture));
    return seen + (drawn == Size{pixels.width(), pixels.height()} ? "drawn for the client area" : "another size");
}

TEST_F(RoutesTest, ImportCycle)
{
    RecordingController importController;
    importController.drawing = fourFills;
    DialogWatcher watcher;
    Calls atOpening;
    HWND owner = nullptr;
    std::string paintedCycle;
    watcher.whenOpen(L"Import Cycle", [&](HWND dialog) {
        atOpening = importController.take();
        owner = GetWindow(dialog, GW_OWNER);
        paintedCycle = painted(GetDlgItem(dialog, IDC_CYCLE_VIEW), importController);
        const HWND overview = GetDlgItem(dialog, IDC_RECORDING_VIEW);
        const HWND cycle = GetDlgItem(dialog, IDC_CYCLE_VIEW);
        const POINT overCycle = middleOf(cycle);
        RECT client{};
        GetClientRect(overview, &client);
        const std::string overviewSize = std::to_string(client.right) + 'x' + std::to_string(client.bottom);
        modalRows = {{
            {"Auto's click", asItWas, clicked(IDC_AUTO), {"command 1014 clicked"}},
            {"a digit typed in Start", IDC_CYCLE_START, typed('5'), {"command 1012 changed"}},
            {"Length set by the controller", asItWas,
             [&](HWND) { importController.window->setControlText(IDC_CYCLE_LENGTH, "440.5"); }, {}},
            {"a press on the overview", asItWas, [=](HWND) { leftClickAt(overview, {20, 10}); },
             {"picture 1010 clicked at 20,10 of " + overviewSize}},
            {"Enter in Length", IDC_CYCLE_LENGTH, posted(VK_RETURN), {"key Enter"}},
            {"Shift+F10 typed in Start", IDC_CYCLE_START, typed(VK_F10, VK_SHIFT), {"key ContextMenu"}},
            {"right click over the cycle", asItWas, [=](HWND) { rightClickAt(cycle, overCycle); },
             {menuAt(cycle, overCycle)}},
            {"right click over the overview", asItWas, [=](HWND) { rightClickAt(overview, {20, 10}); }, {}},
            {"the close box", asItWas, [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
             {"command 2 clicked"}},
        }, &importController, dialog, 0};
        nextModalRow(nullptr, 0, 0, 0);
    });
    EXPECT_EQ(harness_.dialog().runModal(IDD_IMPORT_CYCLE, &importController), 7);
    EXPECT_EQ(atOpening, Calls{"initialise"});
    EXPECT_EQ(owner, harness_.window());
    EXPECT_EQ(paintedCycle, "0,128,0 | 0,128,0 | 255,255,255 | 200,30,40 | 0,128,0 | 200,30,40 | 255,255,255 | "
                            "255,255,255 | drawn for the client area");
    EXPECT_EQ(modalRows.next, modalRows.routes.size());
}

int bankWindowCount()
{
    int count = 0;
    for (HWND found = nullptr; (found = FindWindowExW(nullptr, found, L"#32770", L"Bank")) != nullptr;)
        ++count;
    return count;
}

// The bank window lives in the program's own loop, beside the main dialog:
// its rows run there, as the main dialog's do.
TEST_F(RoutesTest, Bank)
{
    RecordingController bankController;
    bankController.drawing = {{{{0, 0, 5000, 5000}, {255, 255, 255}}},
                              {{{10, 4, 60, 16}, "Wave & wave, too long for its box", {0, 0, 0}}}};
    controller_.take();
    SetWindowPos(harness_.window(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    harness_.dialog().openModeless(IDD_BANK, bankController);
    ASSERT_EQ(bankWindowCount(), 1);
    const HWND bank = FindWindowW(L"#32770", L"Bank");
    EXPECT_EQ(bankController.take(), Calls{"initialise"});
    EXPECT_EQ(GetWindow(bank, GW_OWNER), harness_.window());
    RECT mainFrame{};
    RECT bankFrame{};
    GetWindowRect(harness_.window(), &mainFrame);
    GetWindowRect(bank, &bankFrame);
    EXPECT_EQ(bankFrame.left - mainFrame.right, 8) << "beside the main dialog, tops level";
    EXPECT_EQ(bankFrame.top, mainFrame.top);
    const HWND view = GetDlgItem(bank, IDC_BANK_VIEW);

    // The text is cut to its box.
    const Pixels pixels = Pixels::of(view);
    const auto notWhite = [&](int left, int top, int right, int bottom) {
        return (right - left) * (bottom - top) - pixels.count(RGB(255, 255, 255), left, top, right, bottom);
    };
    EXPECT_GT(notWhite(10, 4, 70, 20), 20);
    EXPECT_EQ(notWhite(0, 0, pixels.width(), pixels.height()), notWhite(10, 4, 70, 20));

    const POINT inView{30, 20};
    POINT inDialog = inView;
    MapWindowPoints(view, bank, &inDialog, 1);
    RECT client{};
    GetClientRect(view, &client);
    const std::string onView = "30,20 of " + std::to_string(client.right) + 'x' + std::to_string(client.bottom);
    holdAgainst(bank, bankController, {
        {"Open Bank's click", asItWas, clicked(IDC_BANK_OPEN), {"command 1021 clicked"}},
        {"a press with Shift", asItWas, [=](HWND) { leftClickAt(view, inView, {VK_SHIFT}); },
         {"picture 1020 clicked at " + onView + " shift"}},
        {"a press with Ctrl", asItWas, [=](HWND) { leftClickAt(view, inView, {VK_CONTROL}); },
         {"picture 1020 clicked at " + onView + " ctrl"}},
        {"a double click", asItWas, [=](HWND) { doubleClickAt(view, inView); },
         {"picture 1020 clicked at " + onView, "picture 1020 double clicked at " + onView}},
        {"files dropped on the cells", asItWas,
         [=](HWND d) { dropFiles(d, {L"C:\\b.wav", L"C:\\a.syx", L"C:\\c.wav"}, inDialog); },
         {"drop C:\\b.wav C:\\a.syx C:\\c.wav on 1020 at " + onView}},
        {"files dropped beside the cells", asItWas, [](HWND d) { dropFiles(d, {L"C:\\b.wav", L"C:\\a.wav"}, {2, 2}); },
         {"drop C:\\b.wav C:\\a.wav"}},
        {"Left", IDC_BANK_VIEW, posted(VK_LEFT), {"key Left"}},
        {"Shift+Right", IDC_BANK_VIEW, posted(VK_RIGHT, {VK_SHIFT}), {"key Right shift"}},
        {"Up typed", IDC_BANK_VIEW, typed(VK_UP), {"key Up"}},
        {"Shift+Down typed", IDC_BANK_VIEW, typed(VK_DOWN, VK_SHIFT), {"key Down shift"}},
        {"Delete", IDC_BANK_VIEW, posted(VK_DELETE), {"key Delete"}},
        {"Ctrl+Left", IDC_BANK_VIEW, posted(VK_LEFT, {VK_CONTROL}), {}},
        {"right click over the cells", asItWas, [=](HWND) { rightClickAt(view, inView); }, {menuAt(view, inView)}},
        {"the close box", asItWas, [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
         {"command 2 clicked"}},
    });
    EXPECT_EQ(withoutIdle(controller_.take()), Calls{}) << "the main dialog's controller";

    // Tab reaches the picture, which is drawn again as it takes and loses the focus.
    std::string drawn;
    SetFocus(GetDlgItem(bank, IDC_BANK_CANCEL));
    UpdateWindow(view);
    for (int tab = 0; tab < 3; ++tab) {
        bankController.drawnAt.clear();
        postKeyDown(GetFocus(), VK_TAB);
        harness_.runUntilInputTaken();
        UpdateWindow(view);
        drawn += std::to_string(GetDlgCtrlID(GetFocus())) + (bankController.drawnAt.empty() ? " " : " drawn ");
    }
    EXPECT_EQ(drawn, "1020 drawn 1021 drawn 1022 ");

    // Opened again: the same window, brought to the front.
    SetForegroundWindow(harness_.window());
    harness_.dialog().openModeless(IDD_BANK, bankController);
    EXPECT_EQ(bankWindowCount(), 1);
    EXPECT_EQ(GetForegroundWindow(), bank);
    EXPECT_EQ(bankController.take(), Calls{});

    // A box of the main dialog sets the bank window aside while it runs.
    bool asideDuringBox = false;
    {
        DialogWatcher watcher;
        watcher.onMessageBox = [&](HWND) { asideDuringBox = !IsWindowEnabled(bank); };
        harness_.dialog().showMessage("Failed to open wave file.", MessageIcon::Warning);
    }
    EXPECT_TRUE(asideDuringBox);
    EXPECT_TRUE(IsWindowEnabled(bank));

    bankController.window->enableControl(0, false);
    EXPECT_FALSE(IsWindowEnabled(bank));
    EXPECT_TRUE(IsWindowEnabled(harness_.window()));

    bankController.window->endDialog(0);
    EXPECT_FALSE(IsWindow(bank));
    harness_.dialog().openModeless(IDD_BANK, bankController);
    EXPECT_EQ(bankController.take(), Calls{"initialise"});
    const HWND reopened = FindWindowW(L"#32770", L"Bank");
    harness_.dialog().endDialog(2);
    EXPECT_FALSE(IsWindow(reopened));
}

} // namespace
