#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

// Builds WAV files byte by byte, so that a test can say exactly which chunk
// stands where, with which declared size, and where the file ends.
namespace WavBytes {

using Bytes = std::vector<std::uint8_t>;

[[nodiscard]] Bytes join(std::initializer_list<Bytes> parts);

[[nodiscard]] Bytes text(std::string_view letters);
[[nodiscard]] Bytes le16(std::uint16_t value);
[[nodiscard]] Bytes le32(std::uint32_t value);

// The 12-byte file header; the RIFF size is never examined, so it is 0.
[[nodiscard]] Bytes riffHeader(std::string_view riff = "RIFF", std::string_view form = "WAVE");

// A chunk header with the given declared size followed by body, which may be
// shorter or longer than declared.
[[nodiscard]] Bytes chunk(std::string_view id, std::uint32_t declaredSize, const Bytes& body = {});
// A chunk whose declared size is the length of its body.
[[nodiscard]] Bytes chunk(std::string_view id, const Bytes& body);

// A format chunk body: the 16 standard bytes, then zeros up to bodyLength.
[[nodiscard]] Bytes formatBody(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint16_t bits = 16,
                               std::size_t bodyLength = 16);
[[nodiscard]] Bytes formatChunk(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint16_t bits = 16);

[[nodiscard]] Bytes sampleBytes(std::span<const std::int16_t> samples);
// byteCount bytes of sample data in which sample k holds the value k (modulo
// 65536), so a loaded sample tells which index it was taken from. An odd count
// ends with one lone low byte.
[[nodiscard]] Bytes indexedSampleBytes(std::size_t byteCount);

// RIFF header, a 16-byte mono 16-bit PCM format chunk and one data chunk.
[[nodiscard]] Bytes monoWav(const Bytes& data);

} // namespace WavBytes
