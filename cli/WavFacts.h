#pragma once

#include "wave/WaveFileLoader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hwd {

// What a WAV file says about itself, gathered from the loader's own walk, so
// that `info` always describes the chunks the loader read, in the order and at
// the places the loader found them.
struct WavFacts {
    struct Chunk {
        std::string id;            // four letters, unprintable bytes shown as '?'
        std::uint32_t size = 0;    // as declared
        std::uint64_t present = 0; // bytes of the body the file really holds
    };
    struct Format {
        std::uint16_t tag = 0;
        std::uint16_t channels = 0;
        std::uint32_t sampleRate = 0;
        std::uint16_t bitsPerSample = 0;
        bool extensiblePcm = false; // WAVE_FORMAT_EXTENSIBLE read as PCM
    };

    std::uint64_t fileBytes = 0;
    bool riffWave = false; // the loader got as far as the chunks
    ChunkWalk walk = ChunkWalk::declaredSizes;
    std::vector<Chunk> chunks;
    std::optional<Format> format;           // the format chunk's first 16 bytes
    std::optional<std::uint32_t> dataBytes; // the data chunk the loader took
};

// Records the loader's walk; facts() then describes the walk whose answer stood.
class WavFactsRecorder final : public ChunkObserver {
public:
    void walkStarted(ChunkWalk walk) override;
    void chunkFound(const unsigned char* id, std::uint32_t size, std::uint64_t offset) override;
    void formatFound(const unsigned char* body) override;
    void extensiblePcmFound() override;
    void walkChosen(ChunkWalk walk) override;

    [[nodiscard]] WavFacts facts(std::uint64_t fileBytes) const;

private:
    struct Found {
        std::string id;
        std::uint32_t size;
        std::uint64_t offset;
    };
    struct Walk {
        bool started = false;
        std::vector<Found> chunks;
        std::optional<Found> last; // kept past the chunk limit too
        std::optional<WavFacts::Format> format;
    };

    [[nodiscard]] Walk& current() noexcept { return walks_[walking_ == ChunkWalk::padded ? 1 : 0]; }

    Walk walks_[2];
    ChunkWalk walking_ = ChunkWalk::declaredSizes;
    ChunkWalk chosen_ = ChunkWalk::declaredSizes;
};

// "PCM", "IEEE float", ... or "unknown".
[[nodiscard]] const char* formatTagName(std::uint16_t tag) noexcept;

} // namespace hwd
