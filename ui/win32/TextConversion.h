#pragma once

#include <string>
#include <string_view>

namespace hwd {

// The sender and the loader speak in the system's narrow code page (port
// names, the platform's error texts, the loader's messages); the windows are
// Unicode. These convert at that boundary.
namespace TextConversion {

// Narrow text in the system code page to UTF-16.
[[nodiscard]] std::wstring widenAnsi(std::string_view text);

// UTF-8 text (the shared layer's own texts: menu labels, the tooltip) to UTF-16.
[[nodiscard]] std::wstring widenUtf8(std::string_view text);

// UTF-16 to UTF-8: what the user typed, for the shared layer.
[[nodiscard]] std::string narrowToUtf8(std::wstring_view text);

// Line breaks as a static control draws them: every "\n" becomes "\r\n".
[[nodiscard]] std::wstring withDialogLineBreaks(std::wstring_view text);

} // namespace TextConversion

} // namespace hwd
