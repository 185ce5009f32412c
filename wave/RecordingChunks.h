#pragma once

#include "FormatTags.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace hwd {

class StreamReader;

// The chunks that importing a recording needs, found by one walk over the
// whole RIFF WAV file, in whatever order they stand: samplers write their
// smpl chunk after the data.
struct RecordingChunks {
    // The first format chunk's body, as much of it as the file holds, up to
    // the 40 bytes of WAVE_FORMAT_EXTENSIBLE.
    struct Format {
        std::array<unsigned char, extensibleFormatBytes> bytes{};
        std::size_t size = 0;
    };
    // Where the first data chunk's body starts, and how many of its declared
    // bytes the file holds.
    struct Data {
        std::uint64_t offset = 0;
        std::uint64_t bytes = 0;
    };
    // The first loop of the first smpl chunk that declares one, as written:
    // its first and last frame.
    struct Loop {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
    };

    bool riffWave = false; // the file starts with a RIFF header of form WAVE
    std::optional<Format> format;
    std::optional<Data> data;
    std::optional<Loop> loop;
};

[[nodiscard]] RecordingChunks findRecordingChunks(StreamReader& file);

} // namespace hwd
