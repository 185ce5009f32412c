#include "ToolTips.h"

#include "Module.h"
#include "TextConversion.h"

#include <commctrl.h>

#include <string>

namespace hwd {

namespace {

HWND createToolTipWindow(HWND dialog)
{
    const HWND window =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                        Module::instance(), nullptr);
    // A maximum width makes the text's own line breaks count; one as wide as
    // the screen leaves them the only ones, so that no command's name is
    // broken in two.
    if (window != nullptr)
        SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    return window;
}

} // namespace

void ToolTips::set(HWND dialog, HWND control, std::string_view utf8)
{
    if (control == nullptr)
        return;
    if (window_ == nullptr || !IsWindow(window_)) {
        if (utf8.empty())
            return;
        window_ = createToolTipWindow(dialog);
        if (window_ == nullptr)
            return;
    }
    std::wstring text = TextConversion::withDialogLineBreaks(TextConversion::widenUtf8(utf8));
    TOOLINFOW tool{};
    // The size that every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty())
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace hwd
