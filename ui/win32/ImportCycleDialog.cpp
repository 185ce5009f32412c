#include "ImportCycleDialog.h"

#include "KeyTranslation.h"
#include "PictureMenu.h"
#include "PictureView.h"
#include "WindowCentring.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

namespace hwd {

namespace {

bool isKind(int controlId, ControlKind kind) noexcept
{
    const ControlTemplate* control = importCycleTemplate().control(controlId);
    return control != nullptr && control->kind == kind;
}

} // namespace

INT_PTR ImportCycleDialog::run(HWND owner)
{
    return DialogWindow::runModal(IDD_IMPORT_CYCLE, owner);
}

std::optional<LRESULT> ImportCycleDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> result = handleControlsMessage(message, wParam, lParam))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        controller_.initialise(*this);
        centreDialog(window());
        keys_.emplace([this](const MSG& key) { return routeDialogKey(key, window(), controller_); });
        // The controller has put the focus where it belongs.
        return FALSE;
    case WM_DESTROY:
        keys_.reset();
        return std::nullopt;
    case WM_COMMAND:
        takeCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        PictureView::draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), controller_);
        return TRUE;
    case WM_CONTEXTMENU:
        if (const std::optional<Point> at =
                PictureMenu::requestedAt(window(), GetDlgItem(window(), IDC_CYCLE_VIEW), lParam)) {
            controller_.pictureMenuRequested(at);
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void ImportCycleDialog::takeCommand(int controlId, WORD notification)
{
    if (PictureView::takeNotice(window(), importCycleTemplate(), controlId, notification, controller_))
        return;
    const ControlEvent event = controlEventFor(notification);
    // An edit field's focus and redrawing notices are the platform's business.
    if (isKind(controlId, ControlKind::Edit) && event != ControlEvent::Changed)
        return;
    controller_.command(controlId, event);
}

} // namespace hwd
