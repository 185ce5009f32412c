#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace hwd {

// File names reach the commands as the arguments' text: on Linux the bytes
// the shell passed, in whatever encoding they are; on Windows UTF-8, made from
// the UTF-16 command line by the program's entry point. Every file that
// wavedump opens, examines or writes is named through pathOfArgument, so that
// a name outside the ANSI code page opens on Windows and a name that is no
// UTF-8 still opens on Linux.

// The file an argument names. On Linux its bytes unchanged, never checked; on
// Windows its UTF-8 read as UTF-16. An argument that is no UTF-8 on Windows
// names no file there, so it answers the empty path.
[[nodiscard]] std::filesystem::path pathOfArgument(std::string_view argument);

// A path as wavedump prints it and as pathOfArgument takes it back: the bytes
// on Linux, UTF-8 on Windows (never the ANSI code page, which cannot spell
// every name). A Windows name that has no UTF-8 spelling answers the empty text.
[[nodiscard]] std::string argumentOfPath(const std::filesystem::path& path);

} // namespace hwd
