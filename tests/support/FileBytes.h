#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// A file's whole content in and out, byte for byte.
namespace FileBytes {

// Replaces the file's content with bytes; throws when it cannot be written.
void write(const std::filesystem::path& path, std::string_view bytes);
void write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// The file's bytes, or nothing when it cannot be read.
[[nodiscard]] std::string read(const std::filesystem::path& path);

} // namespace FileBytes
