#include "WaveViewToolTip.h"

#include "Module.h"
#include "TextConversion.h"
#include "app/PictureMenu.h"

#include <commctrl.h>

#include <string>

namespace hwd {

bool WaveViewToolTip::attach(HWND dialog, HWND view)
{
    if (view == nullptr)
        return false;
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                               Module::instance(), nullptr);
    if (toolTip_ == nullptr)
        return false;
    std::wstring text = TextConversion::widenUtf8(waveViewToolTip);
    TOOLINFOW tool{};
    // The size that every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(view);
    tool.lpszText = text.data();
    if (!SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        DestroyWindow(toolTip_);
        toolTip_ = nullptr;
        return false;
    }
    // Two short lines rather than one as wide as the dialog.
    SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 300);
    return true;
}

} // namespace hwd
