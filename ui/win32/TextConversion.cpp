#include "TextConversion.h"

#include <windows.h>

namespace hwd {

namespace TextConversion {

namespace {

std::wstring widen(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::wstring widenAnsi(std::string_view text)
{
    return widen(CP_ACP, text);
}

std::wstring widenUtf8(std::string_view text)
{
    return widen(CP_UTF8, text);
}

std::string narrowToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring withDialogLineBreaks(std::wstring_view text)
{
    std::wstring result;
    result.reserve(text.size() + 8);
    for (const wchar_t character : text) {
        if (character == L'\n')
            result += L'\r';
        result += character;
    }
    return result;
}

} // namespace TextConversion

} // namespace hwd
