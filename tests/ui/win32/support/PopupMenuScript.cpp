#include "PopupMenuScript.h"

namespace {

PopupMenuScript* activeScript = nullptr;
constexpr UINT pollMs = 20;
constexpr int maxPolls = 250; // five seconds
constexpr UINT getMenuHandle = 0x01E1; // MN_GETHMENU

HWND visiblePopupMenu()
{
    const HWND menuWindow = FindWindowW(L"#32768", nullptr);
    return menuWindow != nullptr && IsWindowVisible(menuWindow) ? menuWindow : nullptr;
}

} // namespace

std::vector<PopupMenuScript::Item> menuItems(HMENU menu)
{
    std::vector<PopupMenuScript::Item> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        items.push_back({static_cast<int>(info.wID), text, (info.fState & MFS_GRAYED) != 0,
                         (info.fState & MFS_CHECKED) != 0});
    }
    return items;
}

PopupMenuScript::PopupMenuScript(wchar_t accessKey) : accessKey_(accessKey)
{
    activeScript = this;
    timer_ = SetTimer(nullptr, 0, pollMs, &PopupMenuScript::poll);
}

PopupMenuScript::~PopupMenuScript()
{
    if (timer_ != 0)
        KillTimer(nullptr, timer_);
    activeScript = nullptr;
}

void CALLBACK PopupMenuScript::poll(HWND, UINT, UINT_PTR timer, DWORD)
{
    PopupMenuScript* script = activeScript;
    if (script == nullptr || timer != script->timer_) {
        KillTimer(nullptr, timer);
        return;
    }
    const HWND menuWindow = visiblePopupMenu();
    if (menuWindow == nullptr) {
        if (++script->polls_ >= maxPolls) {
            KillTimer(nullptr, timer);
            script->timer_ = 0;
        }
        return;
    }
    KillTimer(nullptr, timer);
    script->timer_ = 0;
    script->read(menuWindow);
}

void PopupMenuScript::read(HWND menuWindow)
{
    opened_ = true;
    items_ = menuItems(reinterpret_cast<HMENU>(SendMessageW(menuWindow, getMenuHandle, 0, 0)));
    if (whileOpen)
        whileOpen(menuWindow);
    if (accessKey_ == 0) {
        EndMenu();
        return;
    }
    PostMessageW(menuWindow, WM_CHAR, accessKey_, 1);
}
