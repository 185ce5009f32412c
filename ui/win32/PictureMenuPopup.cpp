#include "PictureMenuPopup.h"

#include "TextConversion.h"
#include "app/ResourceIds.h"

#include <windowsx.h>

#include <string>

namespace hwd {

HMENU createPictureMenu(PictureWindow where, bool waveLoaded, bool listening)
{
    const HMENU menu = CreatePopupMenu();
    for (const PictureMenuEntry& entry : pictureMenuEntries()) {
        const std::wstring text =
            TextConversion::widenUtf8(entry.label) + L'\t' + TextConversion::widenUtf8(entry.shortcutText);
        UINT flags = MF_STRING;
        if (!pictureCommandEnabled(entry.commandId, where, waveLoaded))
            flags |= MF_GRAYED;
        if (entry.commandId == ID_LISTEN && listening)
            flags |= MF_CHECKED;
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(entry.commandId), text.c_str());
    }
    return menu;
}

int trackPictureMenu(HWND owner, POINT screenPoint, PictureWindow where, bool waveLoaded, bool listening)
{
    const HMENU menu = createPictureMenu(where, waveLoaded, listening);
    // The pick comes back here rather than as WM_COMMAND, so each window runs
    // it through the same path as its shortcut.
    const BOOL picked = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                       screenPoint.x, screenPoint.y, 0, owner, nullptr);
    DestroyMenu(menu);
    return static_cast<int>(picked);
}

std::optional<POINT> pictureMenuPoint(HWND dialog, HWND view, LPARAM position)
{
    // (-1, -1): Shift+F10 or the menu key, which concern the focused control.
    if (view == nullptr || position == -1)
        return std::nullopt;
    const POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    POINT client = screen;
    ScreenToClient(dialog, &client);
    if (ChildWindowFromPointEx(dialog, client, CWP_ALL) != view)
        return std::nullopt;
    return screen;
}

} // namespace hwd
