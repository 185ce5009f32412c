#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace hwd {

struct Waveshape;

// The two ways the loader walks a file's chunks: first at exactly their
// declared sizes; then, only when that walk runs out of chunk headers, with
// RIFF's pad byte after every odd-sized chunk body.
enum class ChunkWalk { declaredSizes, padded };

// Sees the loader's walk, for tools that describe a file exactly as the loader
// reads it. Its calls must not throw.
class ChunkObserver {
public:
    virtual ~ChunkObserver() = default;
    virtual void walkStarted(ChunkWalk walk) = 0;
    // id: the four bytes of the chunk id; offset: where its header starts.
    virtual void chunkFound(const unsigned char* id, std::uint32_t size, std::uint64_t offset) = 0;
    // The 16 bytes of the format chunk's body, as read.
    virtual void formatFound(const unsigned char* body) = 0;
    // The format just found is WAVE_FORMAT_EXTENSIBLE with PCM's sub-format,
    // which the loader then takes as plain PCM.
    virtual void extensiblePcmFound() = 0;
    // The walk whose answer stands, once the chunks have been searched.
    virtual void walkChosen(ChunkWalk walk) = 0;
};

// Why a load failed. Each has one message text, which the main dialog shows in
// its warning box and the loader leaves in lastError.
enum class LoadFailure {
    none,
    cannotOpen,
    notWav,
    notMonoPcm,
    not16Bit,
    noData,
    short256,
    tooMany,
    tooFew,
    truncated,
};

// The failure's message; the empty text for none.
[[nodiscard]] const char* loadFailureMessage(LoadFailure failure) noexcept;

// Reads a mono 16-bit PCM WAV file (plain, or WAVE_FORMAT_EXTENSIBLE with PCM's
// sub-format and all 16 bits valid) into a Waveshape: exactly 128 samples are
// taken as they stand, a longer run (up to 65535) is reduced to 128 points by
// picking the nearest sample. Every refusal leaves its own message in lastError.
// Nothing is allocated per load: the sample run goes through a static buffer.
class WaveFileLoader final {
public:
    explicit WaveFileLoader(Waveshape& target) noexcept : wave_(target) {}

    // Why the last load failed; none after a success.
    [[nodiscard]] LoadFailure failure() const noexcept { return failure_; }

    // Loads the file at path, opened by its native name (bytes on Linux, UTF-16
    // on Windows). Returns the new value of `loaded`.
    bool load(const std::filesystem::path& path) noexcept;
    // The same, telling observer every step of the walk.
    bool load(const std::filesystem::path& path, ChunkObserver& observer) noexcept;

    // Loads from a stream opened for binary reading, positioned at its start.
    // The caller keeps ownership of the stream.
    bool load(std::FILE* stream) noexcept;

private:
    bool finish(LoadFailure failure) noexcept;

    Waveshape& wave_;
    LoadFailure failure_ = LoadFailure::none;
};

} // namespace hwd
