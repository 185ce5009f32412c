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

// Flushes standard output: 0 when everything printed got out, else 1 after one
// line on standard error, e.g. "wavedump samples: cannot write to standard
// output: No space left on device".
[[nodiscard]] int finishStandardOutput(std::string_view command);

} // namespace hwd
