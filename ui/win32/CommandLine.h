#pragma once

#include <filesystem>

namespace hwd {

// The file named on the program's command line ("Open with", or a file
// dropped on the program's icon): the first argument after the program's own
// name, as given. Empty when there is none; further arguments are ignored.
[[nodiscard]] std::filesystem::path fileNamedOnCommandLine(const wchar_t* commandLine);

} // namespace hwd
