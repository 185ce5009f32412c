#include "AboutDialog.h"

#include "TextConversion.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

namespace hwd {

namespace {

// The template's centred text has no id of its own: it is the static that
// centres its text.
HWND centredText(HWND dialog) noexcept
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_CENTER)
            return child;
    }
    return nullptr;
}

} // namespace

INT_PTR AboutDialog::run(HWND owner)
{
    return runModal(IDD_ABOUTBOX, owner);
}

std::optional<LRESULT> AboutDialog::handleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        centreDialog(window());
        const std::wstring text = TextConversion::withDialogLineBreaks(TextConversion::widenAnsi(aboutText()));
        SetWindowTextW(centredText(window()), text.c_str());
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(window(), id);
            return 0;
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace hwd
