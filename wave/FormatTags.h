#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace hwd {

// The format tags of a WAV file's format chunk that the readers tell apart.
inline constexpr std::uint16_t pcmFormatTag = 0x0001;
inline constexpr std::uint16_t floatFormatTag = 0x0003;
// WAVE_FORMAT_EXTENSIBLE: the real format is the sub-format GUID at byte 24 of
// a body of at least 40 bytes, after the valid bits per sample at byte 18.
inline constexpr std::uint16_t extensibleFormatTag = 0xFFFE;
inline constexpr std::uint32_t extensibleFormatBytes = 40;
inline constexpr std::size_t validBitsOffset = 18;
inline constexpr std::size_t subFormatOffset = 24;

// The format tag that a sub-format GUID stands for: the GUIDs that Microsoft
// made from the plain tags hold the tag in their first two bytes and fixed
// bytes after it (PCM's is 00000001-0000-0010-8000-00aa00389b71). Nothing for
// any other GUID.
[[nodiscard]] std::optional<std::uint16_t> subFormatTag(const unsigned char* guid) noexcept;

// "PCM", "IEEE float", ... for the tags that have a name people know; null
// for any other.
[[nodiscard]] const char* knownFormatName(std::uint16_t tag) noexcept;

} // namespace hwd
