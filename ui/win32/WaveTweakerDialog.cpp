#include "WaveTweakerDialog.h"

#include "PictureCommands.h"
#include "PictureMenuPopup.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/PictureMenu.h"
#include "app/ResourceIds.h"
#include "wave/WaveOps.h"
#include "wave/Waveshape.h"

#include <windowsx.h>

namespace hwd {

INT_PTR WaveTweakerDialog::run(HWND owner)
{
    return runModal(IDD_WAVE_TWEAKER, owner);
}

std::optional<LRESULT> WaveTweakerDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using WaveTweakerInput::Pointer;
    switch (message) {
    case WM_INITDIALOG:
        view_.takeOver(window());
        centreDialog(window());
        beginEditing(wave_);
        if (commands_ != nullptr)
            shortcuts_.emplace(window(), [this](int commandId) { runPictureCommand(commandId); });
        return TRUE;
    case WM_DESTROY:
        shortcuts_.reset();
        return std::nullopt;
    case WM_CONTEXTMENU:
        if (!showPictureMenu(lParam))
            return std::nullopt;
        return 0;
    case WM_COMMAND:
        return command(LOWORD(wParam), HIWORD(wParam));
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

std::optional<LRESULT> WaveTweakerDialog::command(int id, int notification)
{
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(window(), id == IDOK ? 1 : 2);
        return 0;
    }
    if (notification != BN_CLICKED)
        return std::nullopt;
    const std::optional<WaveOp> op = waveTweakerOperation(id);
    if (!op)
        return std::nullopt;
    applyWaveOp(wave_, *op, seed_());
    InvalidateRect(view_.window(), nullptr, TRUE);
    return 0;
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

bool WaveTweakerDialog::showPictureMenu(LPARAM position)
{
    if (commands_ == nullptr)
        return false;
    const std::optional<POINT> point = pictureMenuPoint(window(), view_.window(), position);
    if (!point)
        return false;
    const int picked =
        trackPictureMenu(window(), *point, PictureWindow::waveTweaker, wave_.loaded, commands_->listening());
    if (picked != 0)
        runPictureCommand(picked);
    return true;
}

void WaveTweakerDialog::runPictureCommand(int commandId)
{
    // The main dialog decides what is offered here.
    if (commands_ != nullptr)
        commands_->runPictureCommand(commandId, window());
}

} // namespace hwd
