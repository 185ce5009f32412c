#pragma once

#include "wave/WholeFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hwd {

// Writes bytes unchanged (binary, also on Windows) to standard output; the
// empty text when done, else what went wrong.
[[nodiscard]] std::string writeStandardOutput(std::span<const std::uint8_t> bytes);

// Writes bytes to the file named output on the command line, whole or not at
// all, or to standard output for "-": 0 when done, else 1 after one line on
// standard error, e.g. "wavedump wav: cannot write 'x.wav': Permission denied".
[[nodiscard]] int writeOutput(std::string_view command, const std::string& output, std::span<const std::uint8_t> bytes);

// Makes sure the folder that output (a name from the command line) names is
// there, making its last part when only that is missing: the empty text when
// the folder is there, else what went wrong, e.g. "cannot make folder 'a/b/':
// No such file or directory".
[[nodiscard]] std::string makeFolder(const std::string& output);

// Flushes standard output: 0 when everything printed got out, else 1 after one
// line on standard error, e.g. "wavedump samples: cannot write to standard
// output: No space left on device".
[[nodiscard]] int finishStandardOutput(std::string_view command);

} // namespace hwd
