#include "WaveTweakerDialog.h"

#include "KeyTranslation.h"
#include "PictureMenu.h"
#include "WindowCentring.h"
#include "app/DialogController.h"
#include "app/ResourceIds.h"

#include <windowsx.h>

namespace hwd {

INT_PTR WaveTweakerDialog::run(HWND owner)
{
    return DialogWindow::runModal(IDD_WAVE_TWEAKER, owner);
}

std::optional<LRESULT> WaveTweakerDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using WaveTweakerInput::Pointer;
    if (const std::optional<LRESULT> result = handleControlsMessage(message, wParam, lParam))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        view_.takeOver(window());
        controller_.initialise(*this);
        centreDialog(window());
        keys_.emplace([this](const MSG& key) { return routeDialogKey(key, window(), controller_); });
        // The controller has put the focus where it belongs.
        return FALSE;
    case WM_DESTROY:
        keys_.reset();
        return std::nullopt;
    case WM_COMMAND:
        controller_.command(LOWORD(wParam), controlEventFor(HIWORD(wParam)));
        return 0;
    case WM_CONTEXTMENU:
        if (const std::optional<Point> at = PictureMenu::requestedAt(window(), view_.window(), lParam)) {
            controller_.pictureMenuRequested(at);
            return 0;
        }
        return std::nullopt;
    case WM_LBUTTONDOWN:
        return pointer(Pointer::Press, true, lParam);
    case WM_LBUTTONDBLCLK:
        // The second press of a double click: its first press has drawn already.
        return pointer(Pointer::DoubleClick, true, lParam);
    case WM_MOUSEMOVE:
        return pointer(Pointer::Move, (wParam & MK_LBUTTON) != 0, lParam);
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> WaveTweakerDialog::pointer(WaveTweakerInput::Pointer kind, bool leftButton, LPARAM position)
{
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    // The control's outer rectangle counts, its sunken edge included.
    const bool overView = view_.window() != nullptr && ChildWindowFromPoint(window(), point) == view_.window();
    bool editMode = view_.editMode();
    if (!WaveTweakerInput::takesPoint(kind, leftButton, overView, editMode))
        return std::nullopt;
    view_.setEditMode(editMode);
    MapWindowPoints(window(), view_.window(), &point, 1);
    SendMessageW(view_.window(), WM_WAVEVIEW_PEN, reinterpret_cast<WPARAM>(&point), 0);
    return 0;
}

} // namespace hwd
