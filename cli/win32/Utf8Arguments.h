#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hwd {

// UTF-16 text as UTF-8; an unpaired surrogate, which has no UTF-8 spelling,
// comes out as U+FFFD.
[[nodiscard]] std::string utf8Of(std::wstring_view text);

// The program's arguments as Windows hands them to wmain, in UTF-16, made the
// UTF-8 argc and argv that the commands take: the narrow argv that the C
// runtime would build is in the ANSI code page, where a name in Chinese or
// Cyrillic letters on a Western system becomes "??.wav" and names no file.
class Utf8Arguments final {
public:
    Utf8Arguments(int argc, const wchar_t* const* argv);
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;

    [[nodiscard]] int count() const noexcept { return static_cast<int>(texts_.size()); }
    // Null-terminated as a C argv; valid while this object lives.
    [[nodiscard]] char** values() noexcept { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

} // namespace hwd
