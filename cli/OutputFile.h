#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace hwd {

// Writes bytes to path through a temporary file in the same folder that is
// renamed over path only once it is complete, so a failure never leaves a half
// file behind and an existing file at path stays as it was. Returns the empty
// text when done, else what went wrong, e.g. "cannot write 'x.syx': Permission denied".
[[nodiscard]] std::string writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes bytes unchanged (binary, also on Windows) to standard output; the
// empty text when done, else what went wrong.
[[nodiscard]] std::string writeStandardOutput(std::span<const std::uint8_t> bytes);

// Flushes standard output: 0 when everything printed got out, else 1 after one
// line on standard error, e.g. "wavedump samples: cannot write to standard
// output: No space left on device".
[[nodiscard]] int finishStandardOutput(std::string_view command);

} // namespace hwd
