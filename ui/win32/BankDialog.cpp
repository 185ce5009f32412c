#include "BankDialog.h"

#include "FileDrop.h"
#include "KeyTranslation.h"
#include "PictureMenu.h"
#include "PictureView.h"
#include "WindowCentring.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

namespace hwd {

bool BankDialog::open(HWND owner)
{
    if (createModeless(IDD_BANK, owner) == nullptr)
        return false;
    ShowWindow(window(), SW_SHOW);
    return true;
}

void BankDialog::bringToFront() const
{
    if (window() == nullptr)
        return;
    ShowWindow(window(), SW_SHOW);
    SetForegroundWindow(window());
}

bool BankDialog::filterMessage(MSG& message)
{
    if (window() == nullptr)
        return false;
    return routeDialogKey(message, window(), controller_) || IsDialogMessageW(window(), &message);
}

std::optional<LRESULT> BankDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> result = handleControlsMessage(message, wParam, lParam))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return initialise();
    case WM_COMMAND:
        if (!PictureView::takeNotice(window(), bankTemplate(), LOWORD(wParam), HIWORD(wParam), controller_))
            controller_.command(LOWORD(wParam), controlEventFor(HIWORD(wParam)));
        return 0;
    case WM_DRAWITEM:
        PictureView::draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), controller_);
        return TRUE;
    case WM_DROPFILES:
        routeFileDrop(reinterpret_cast<HDROP>(wParam), window(), bankTemplate(), controller_);
        return 0;
    case WM_CONTEXTMENU:
        if (const std::optional<Point> at =
                PictureMenu::requestedAt(window(), GetDlgItem(window(), IDC_BANK_VIEW), lParam)) {
            controller_.pictureMenuRequested(at);
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

LRESULT BankDialog::initialise()
{
    focusablePictures_ = PictureFocus::takeOver(window(), bankTemplate());
    controller_.initialise(*this);
    placeBesideOwner(window());
    // The controller has put the focus where it belongs.
    return FALSE;
}

} // namespace hwd
