#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A mono 16-bit PCM WAV file read plainly, chunk by chunk, apart from the
// program's own loader: the test waves whose samples the tone is worked out
// from, and the file that the capturing ALSA configuration writes.
struct PcmWaveFile {
    std::string problem; // empty when the file was read
    std::uint32_t rate = 0;
    std::vector<std::int16_t> frames;
    // The "data" chunk's size agreed with the file's length: the writer
    // settled the header (ALSA's file plugin does so when the device closes).
    bool sizesSettled = false;

    [[nodiscard]] static PcmWaveFile read(const std::filesystem::path& path);
};
