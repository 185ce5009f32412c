#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

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
    // The walk whose answer stands, once the chunks have been searched.
    virtual void walkChosen(ChunkWalk walk) = 0;
};

// Reads a mono 16-bit PCM WAV file into a Waveshape: exactly 128 samples are
// taken as they stand, a longer run (up to 65535) is reduced to 128 points by
// picking the nearest sample. Every refusal leaves its own message in lastError.
// Nothing is allocated per load: the sample run goes through a static buffer.
class WaveFileLoader final {
public:
    explicit WaveFileLoader(Waveshape& target) noexcept : wave_(target) {}

    // Loads the file at path, opened by its native name (bytes on Linux, UTF-16
    // on Windows). Returns the new value of `loaded`.
    bool load(const std::filesystem::path& path) noexcept;
    // The same, telling observer every step of the walk.
    bool load(const std::filesystem::path& path, ChunkObserver& observer) noexcept;

    // Loads from a stream opened for binary reading, positioned at its start.
    // The caller keeps ownership of the stream.
    bool load(std::FILE* stream) noexcept;

private:
    bool finish(const char* error) noexcept;

    Waveshape& wave_;
};

// Arrays, not pointers to literals: each message has one address in the whole
// program, so lastError can be compared with them.
namespace WaveFileMessages {
inline constexpr char cannotOpen[] =
    "Failed to open wave file. Make sure another application does not have it open.";
inline constexpr char notWav[] =
    "Failed to open wave file. File does not appear to be a WAV file.";
inline constexpr char notMonoPcm[] =
    "Failed to open wave file. File is not a mono PCM format WAV file.";
inline constexpr char not16Bit[] =
    "Failed to open wave file. File is not a 16 bit PCM format WAV file.";
inline constexpr char noData[] =
    "Failed to find wave data in file. File does not appear to be a valid WAV file.";
inline constexpr char short256[] =
    "Failed to load wave data. File does not appear to contain 256 16 bit samples.";
inline constexpr char tooMany[] =
    "Failed to load wave data. File contains too many 16 bit samples.";
inline constexpr char tooFew[] =
    "Failed to load wave data. File contains less than 128 16 bit samples.";
inline constexpr char truncated[] =
    "Failed to load wave data. File appears to be truncated.";
} // namespace WaveFileMessages
