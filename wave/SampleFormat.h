#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace hwd {

// How a recording's samples are stored, as its format chunk says: integer PCM
// of 8 (unsigned), 16, 24 or 32 bits, or IEEE float of 32 or 64 bits, 1 to 8
// channels interleaved, little-endian.
struct SampleFormat {
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bitsPerSample = 0;
    bool isFloat = false;
    bool extensible = false; // WAVE_FORMAT_EXTENSIBLE, with PCM's or float's sub-format

    // Bytes of one frame: a sample of each channel. The block align the file
    // declares is not consulted: every supported size is a whole number of
    // bytes, and the samples fill them.
    [[nodiscard]] std::size_t frameBytes() const noexcept { return std::size_t{channels} * (bitsPerSample / 8u); }
};

inline constexpr std::uint16_t maximumRecordingChannels = 8;

// A sample format, or why it is not supported: one sentence that says what the
// file is and what is supported, e.g. "File has 10 channels; supported are 1 to 8."
struct SampleFormatRead {
    std::optional<SampleFormat> format;
    std::string refusal;
};

// Reads a format chunk's body, as much of it as the file holds (the 16
// standard bytes at least).
[[nodiscard]] SampleFormatRead readSampleFormat(std::span<const unsigned char> body);

// Mixes whole frames of samples in format to mono, one float a frame in the
// wave's units: an integer sample times 32767 / 2^(bits-1) (8-bit: its value
// minus 128 first), a float sample times 32767, then the mean of the channels.
// A float sample that is not a number or infinite counts as silence, so that
// one damaged sample cannot spoil every sum that later takes it in.
// bytes holds out.size() frames.
void mixToMono(const SampleFormat& format, const unsigned char* bytes, std::span<float> out) noexcept;

} // namespace hwd
