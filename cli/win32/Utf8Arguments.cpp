#include "Utf8Arguments.h"

#include <windows.h>

namespace hwd {

std::string utf8Of(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

Utf8Arguments::Utf8Arguments(int argc, const wchar_t* const* argv)
{
    texts_.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i)
        texts_.push_back(utf8Of(argv[i]));
    pointers_.reserve(texts_.size() + 1);
    for (std::string& text : texts_)
        pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

} // namespace hwd
