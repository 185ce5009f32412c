#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hwd {

// A sampler's loop, as the `smpl` chunk's first loop gives it: the frame it
// starts at and the last frame of the loop, both inclusive.
struct LoopPoints {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    friend bool operator==(const LoopPoints&, const LoopPoints&) = default;
};

// A whole recording, mixed to mono, for Import Cycle: every frame is the mean
// of its channels in the wave's units (an integer sample times
// 32767 / 2^(bits-1), 8-bit as its value minus 128 first; a float sample times
// 32767). Floats, so that ten minutes at 48 kHz fit in about 115 MB.
struct Recording {
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bitsPerSample = 0;
    bool isFloat = false;
    bool extensible = false; // the format chunk is WAVE_FORMAT_EXTENSIBLE
    std::vector<float> frames;
    // The smpl chunk's first loop, when the file has one that lies within the frames.
    std::optional<LoopPoints> loop;
};

// The longest recording taken: ten minutes at 48 kHz.
inline constexpr std::uint64_t maximumRecordingFrames = 10ull * 60 * 48000;

// A recording, or why it was refused: a whole sentence in the loader's style,
// saying what the file is and what is supported.
struct RecordingRead {
    std::optional<Recording> recording;
    std::string error;
};

// Reads any RIFF WAV of integer PCM (8-bit unsigned, 16, 24 or 32 bits) or
// IEEE float (32 or 64 bits), plain or EXTENSIBLE, 1 to 8 channels, any rate,
// odd chunks with or without their pad byte, looking through the whole file
// for a smpl chunk. A data chunk cut short by the end of the file gives the
// whole frames that are there. Only a regular file is opened, by the path's own
// encoding (UTF-16 on Windows). The data is read in blocks: the memory taken
// is the frames' and little more.
[[nodiscard]] RecordingRead readRecording(const std::filesystem::path& path);

// The same from a stream opened for binary reading, positioned at the start
// of the file; the caller keeps ownership of the stream.
[[nodiscard]] RecordingRead readRecording(std::FILE* stream);

} // namespace hwd
