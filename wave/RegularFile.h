#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace hwd {

// Whether path names a regular file, and its size in bytes when it does. A
// directory, FIFO or device would fail later or block the program in the open,
// so the readers open nothing else; the size from the same look spares them a
// seek to the end of the file and back.
[[nodiscard]] bool isRegularFile(const std::filesystem::path& path, std::uint64_t& length) noexcept;

// Opens path for binary reading by its own encoding: bytes on Linux, UTF-16
// on Windows, so that a name outside the ANSI code page opens too.
[[nodiscard]] std::FILE* openForReading(const std::filesystem::path& path) noexcept;

} // namespace hwd
