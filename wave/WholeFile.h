#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace hwd {

// Writes bytes to path through a temporary file in the same folder that is
// renamed over path only once it is complete, so a failure never leaves a half
// file behind and an existing file at path stays as it was. A file that this
// user may not write is refused, and one that is replaced keeps its permission
// bits. Returns the empty text when done, else what went wrong, e.g.
// "cannot write 'x.syx': Permission denied".
[[nodiscard]] std::string writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace hwd
