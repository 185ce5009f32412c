#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a WAV file says about itself, read for display only: the loader alone
// decides whether and how a file loads. The walk never gives up with an error;
// whatever cannot be read is simply left out, so odd and broken files can be
// described too.
struct WavFacts {
    struct Chunk {
        std::string id;          // four letters, unprintable bytes shown as '?'
        std::uint32_t size = 0;  // as declared
        std::uint64_t present = 0; // bytes of the body the file really holds
    };
    struct Format {
        std::uint16_t tag = 0;
        std::uint16_t channels = 0;
        std::uint32_t sampleRate = 0;
        std::uint16_t bitsPerSample = 0;
    };

    std::uint64_t fileBytes = 0;
    bool riffWave = false; // begins with "RIFF", size, "WAVE"
    std::vector<Chunk> chunks;
    std::optional<Format> format; // the first "fmt " chunk with 16 bytes of body
    std::optional<std::uint32_t> dataBytes; // the first "data" chunk after it
};

// Nothing when the file cannot be opened at all.
[[nodiscard]] std::optional<WavFacts> readWavFacts(const char* path);

// "PCM", "IEEE float", ... or "unknown".
[[nodiscard]] const char* formatTagName(std::uint16_t tag) noexcept;
