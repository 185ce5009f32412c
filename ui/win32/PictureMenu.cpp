#include "PictureMenu.h"

#include "TextConversion.h"

#include <windowsx.h>

#include <string>

namespace hwd {

HMENU PictureMenu::build(std::span<const MenuItem> items)
{
    const HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        const std::wstring text =
            TextConversion::widenUtf8(item.label) + L'\t' + TextConversion::widenUtf8(item.shortcut);
        UINT flags = MF_STRING;
        if (!item.enabled)
            flags |= MF_GRAYED;
        if (item.checked)
            flags |= MF_CHECKED;
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.commandId), text.c_str());
    }
    return menu;
}

int PictureMenu::popUp(HWND owner, std::span<const MenuItem> items, POINT screenPoint)
{
    const HMENU menu = build(items);
    const BOOL picked = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                       screenPoint.x, screenPoint.y, 0, owner, nullptr);
    DestroyMenu(menu);
    return static_cast<int>(picked);
}

std::optional<Point> PictureMenu::requestedAt(HWND dialog, HWND view, LPARAM position)
{
    if (view == nullptr || position == -1)
        return std::nullopt;
    const POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    POINT client = screen;
    ScreenToClient(dialog, &client);
    if (ChildWindowFromPointEx(dialog, client, CWP_ALL) != view)
        return std::nullopt;
    return Point{screen.x, screen.y};
}

} // namespace hwd
