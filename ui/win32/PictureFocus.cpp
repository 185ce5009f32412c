#include "PictureFocus.h"

#include "app/DialogTemplates.h"

namespace hwd {

std::vector<std::unique_ptr<PictureFocus>> PictureFocus::takeOver(HWND dialog, const DialogTemplate& dialogTemplate)
{
    std::vector<std::unique_ptr<PictureFocus>> pictures;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.kind != ControlKind::Picture || !control.tabStop)
            continue;
        auto picture = std::make_unique<PictureFocus>();
        if (picture->attach(GetDlgItem(dialog, control.id)))
            pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::optional<LRESULT> PictureFocus::handleMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        InvalidateRect(window(), nullptr, TRUE);
    // The static's own handling goes on.
    return std::nullopt;
}

} // namespace hwd
