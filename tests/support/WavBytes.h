#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Builds WAV files byte by byte, so that a test can say exactly which chunk
// stands where, with which declared size, and where the file ends. Written
// apart from the program's own reader, in standard C++ only, so that the
// Windows test programs use the same files. The bytes are held in a string:
// parts join with +.
namespace WavBytes {

using Bytes = std::string;

[[nodiscard]] Bytes join(std::initializer_list<Bytes> parts);

[[nodiscard]] Bytes text(std::string_view letters);
[[nodiscard]] Bytes le16(std::uint16_t value);
[[nodiscard]] Bytes le32(std::uint32_t value);

// The 12-byte file header with the RIFF size as declared.
[[nodiscard]] Bytes riffHeader(std::string_view riff = "RIFF", std::string_view form = "WAVE",
                               std::uint32_t declaredSize = 0);
// A whole file: the header, with the RIFF size that the chunks make, then the chunks.
[[nodiscard]] Bytes riff(std::initializer_list<Bytes> chunks);

// A chunk header with the given declared size followed by body, which may be
// shorter or longer than declared.
[[nodiscard]] Bytes chunk(std::string_view id, std::uint32_t declaredSize, const Bytes& body = {});
// A chunk whose declared size is the length of its body.
[[nodiscard]] Bytes chunk(std::string_view id, const Bytes& body);

// A format chunk body at 44100 Hz: the 16 standard bytes, then zeros up to bodyLength.
[[nodiscard]] Bytes formatBody(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint16_t bits = 16,
                               std::size_t bodyLength = 16);
[[nodiscard]] Bytes formatChunk(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint16_t bits = 16);

[[nodiscard]] Bytes sampleBytes(std::span<const std::int16_t> samples);
// byteCount bytes of sample data in which sample k holds the value k (modulo
// 65536), so a loaded sample tells which index it was taken from. An odd count
// ends with one lone low byte.
[[nodiscard]] Bytes indexedSampleBytes(std::size_t byteCount);
// count samples whose values tell their positions apart, with the top bit set
// in many of them, so that a sign slip shows.
[[nodiscard]] Bytes scatteredSampleBytes(std::size_t count);

// The plain file: RIFF header, a 16-byte mono 16-bit PCM format chunk and one data chunk.
[[nodiscard]] Bytes monoWav(const Bytes& data);
[[nodiscard]] Bytes monoWav(std::span<const std::int16_t> samples);

} // namespace WavBytes
