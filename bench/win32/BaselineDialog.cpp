// The yardstick of the start-up figure: the barest Win32 dialog program, one
// modal dialog with one button from its own template. It reports its first
// paint and ends.
#include "FirstPaint.h"

#include "BaselineDialog.h"

namespace {

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const FirstPaint::Reporter reporter(L"Baseline");
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BASELINE), nullptr, &dialogProcedure, 0);
    return 0;
}
