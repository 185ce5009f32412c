#include "WaveFileLoader.h"

#include "FormatTags.h"
#include "RegularFile.h"
#include "Waveshape.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace hwd {

namespace {

using enum LoadFailure;

constexpr std::uint32_t verbatimDataBytes = 2 * waveshapeSampleCount;
constexpr std::uint32_t maximumDataBytes = 131070;

// Holds the file's sample run while it is reduced to 128 points; shared by every
// load so that loading allocates nothing.
unsigned char scratch[maximumDataBytes];

// The stdio buffer of the file being loaded: given to the stream, it spares
// the runtime an allocation and the look at the file it takes to size one.
char streamBuffer[BUFSIZ];

std::uint16_t littleEndian16(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t littleEndian32(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::int16_t sampleAt(std::uint32_t index) noexcept
{
    return static_cast<std::int16_t>(littleEndian16(scratch + 2 * index));
}

struct ChunkHeader {
    unsigned char id[4];
    std::uint32_t size;

    [[nodiscard]] bool is(const char* name) const noexcept { return std::memcmp(id, name, 4) == 0; }
};

// Reads whole items and moves forward through the file. Positions are kept as
// unsigned 64-bit offsets, so a declared chunk size of 2^31 or more is a long
// move forward, never a move back to a header already read.
class ChunkWalker {
public:
    ChunkWalker(std::FILE* stream, std::uint64_t length) noexcept : stream_(stream), end_(length)
    {
        startKnown_ = std::fgetpos(stream_, &start_) == 0;
    }

    [[nodiscard]] bool read(void* buffer, std::size_t size) noexcept
    {
        if (std::fread(buffer, size, 1, stream_) != 1)
            return false;
        position_ += size;
        return true;
    }

    [[nodiscard]] bool readHeader(ChunkHeader& header) noexcept
    {
        unsigned char bytes[8];
        if (!read(bytes, sizeof bytes))
            return false;
        std::memcpy(header.id, bytes, 4);
        header.size = littleEndian32(bytes + 4);
        return true;
    }

    // False when the move would end past the end of the file, where the next
    // header read could only fail, or when the stream refuses the move.
    [[nodiscard]] bool skip(std::uint64_t distance) noexcept
    {
        const std::uint64_t target = position_ + distance;
        if (target > end_)
            return false;
        while (distance > 0) {
            const std::uint64_t step = std::min<std::uint64_t>(distance, LONG_MAX);
            if (std::fseek(stream_, static_cast<long>(step), SEEK_CUR) != 0)
                return false;
            distance -= step;
        }
        position_ = target;
        return true;
    }

    // Back to offset of the file, by way of its start: a refused move may have
    // left the stream anywhere.
    [[nodiscard]] bool rewindTo(std::uint64_t offset) noexcept
    {
        if (!startKnown_ || std::fsetpos(stream_, &start_) != 0)
            return false;
        std::clearerr(stream_);
        position_ = 0;
        return skip(offset);
    }

    [[nodiscard]] std::uint64_t position() const noexcept { return position_; }
    [[nodiscard]] std::uint64_t length() const noexcept { return end_; }

    // The bytes from the current position to the end of a stream of unknown
    // length, found by seeking to its end and back.
    static std::uint64_t measureLength(std::FILE* stream) noexcept
    {
        const long start = std::ftell(stream);
        if (start < 0 || std::fseek(stream, 0, SEEK_END) != 0)
            return UINT64_MAX;
        const long end = std::ftell(stream);
        if (std::fseek(stream, start, SEEK_SET) != 0 || end < start)
            return UINT64_MAX;
        return static_cast<std::uint64_t>(end - start);
    }

private:
    std::FILE* stream_;
    std::fpos_t start_{};
    bool startKnown_ = false;
    std::uint64_t position_ = 0;
    std::uint64_t end_;
};

void reduceToWave(std::uint32_t dataBytes, SampleArray& samples) noexcept
{
    const std::uint32_t count = dataBytes / 2; // an odd last byte is ignored
    const double step = count * 0.0078125;     // count / 128
    samples.fill(0);
    for (int i = 0; i < waveshapeSampleCount; ++i) {
        auto index = static_cast<std::uint32_t>(std::floor(i * step + 0.5));
        if (index >= count)
            index = count - 1;
        samples[static_cast<std::size_t>(i)] = sampleAt(index);
    }
}

constexpr std::uint64_t firstChunkOffset = 12; // after "RIFF", its size and "WAVE"

// The format chunk's standard bytes, all that a plain format has.
constexpr std::uint32_t standardFormatBytes = 16;

// How far past a chunk's body the next chunk header lies: the declared size,
// plus in the padded walk the pad byte that RIFF puts after an odd-sized body.
std::uint64_t bodyDistance(std::uint32_t size, ChunkWalk walk) noexcept
{
    return std::uint64_t{size} + (walk == ChunkWalk::padded && (size & 1u) ? 1u : 0u);
}

class SilentObserver final : public ChunkObserver {
public:
    void walkStarted(ChunkWalk) override {}
    void chunkFound(const unsigned char*, std::uint32_t, std::uint64_t) override {}
    void formatFound(const unsigned char*) override {}
    void extensiblePcmFound() override {}
    void walkChosen(ChunkWalk) override {}
};

SilentObserver silentObserver;

struct WalkOutcome {
    LoadFailure error = none;      // none: the stream stands at the data chunk's body
    bool headerUnreadable = false; // the search ended at a chunk header that could not be read
    std::uint32_t dataBytes = 0;
};

// Searches for the format chunk and the first data chunk after it, checks the
// format, and leaves the stream at the data.
WalkOutcome walkToData(ChunkWalker& file, ChunkWalk walk, ChunkObserver& observer) noexcept
{
    observer.walkStarted(walk);
    ChunkHeader chunk{};
    const auto readHeader = [&]() noexcept {
        const std::uint64_t offset = file.position();
        if (!file.readHeader(chunk))
            return false;
        observer.chunkFound(chunk.id, chunk.size, offset);
        return true;
    };

    // A move past the end of the file counts as a header that cannot be read.
    for (;;) {
        if (!readHeader())
            return {notWav, true};
        if (chunk.is("fmt "))
            break;
        if (!file.skip(bodyDistance(chunk.size, walk)))
            return {notWav, true};
    }

    unsigned char format[extensibleFormatBytes];
    if (!file.read(format, standardFormatBytes))
        return {notWav, false};
    observer.formatFound(format);
    std::uint16_t formatTag = littleEndian16(format);
    const std::uint16_t channels = littleEndian16(format + 2);
    const std::uint16_t bitsPerSample = littleEndian16(format + 14);
    std::uint32_t formatBytesRead = standardFormatBytes;
    if (formatTag == extensibleFormatTag && chunk.size >= extensibleFormatBytes) {
        if (!file.read(format + standardFormatBytes, extensibleFormatBytes - standardFormatBytes))
            return {notMonoPcm, false};
        formatBytesRead = extensibleFormatBytes;
        if (subFormatTag(format + subFormatOffset) == pcmFormatTag) {
            formatTag = pcmFormatTag;
            observer.extensiblePcmFound();
        }
    }
    if (formatTag != pcmFormatTag || channels != 1)
        return {notMonoPcm, false};
    // 8- or 24-bit data read as 16-bit pairs would be noise; so would 16-bit
    // containers whose extension says fewer bits of them are meant.
    if (bitsPerSample != 16)
        return {not16Bit, false};
    if (formatBytesRead == extensibleFormatBytes && littleEndian16(format + validBitsOffset) != 16)
        return {not16Bit, false};
    // A declared size under 16 is not corrected for: 16 bytes were read
    // regardless, and nothing more is skipped, not even a pad byte.
    if (chunk.size > formatBytesRead && !file.skip(bodyDistance(chunk.size, walk) - formatBytesRead))
        return {noData, true};

    for (;;) {
        if (!readHeader())
            return {noData, true};
        if (chunk.is("data"))
            return {none, false, chunk.size};
        if (!file.skip(bodyDistance(chunk.size, walk)))
            return {noData, true};
    }
}

// Why the file did not load, or none when the wave was read.
LoadFailure readWave(std::FILE* stream, std::uint64_t length, Waveshape& wave, ChunkObserver& observer) noexcept
{
    ChunkWalker file(stream, length);

    unsigned char riff[8];
    unsigned char form[4];
    if (!file.read(riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0)
        return notWav;
    if (!file.read(form, sizeof form) || std::memcmp(form, "WAVE", 4) != 0)
        return notWav;

    // Chunks are first taken at exactly their declared sizes. Only when that
    // walk runs out of headers is the file walked again with RIFF's pad byte
    // after each odd-sized body; if that finds nothing either, the first
    // walk's answer stands.
    WalkOutcome walk = walkToData(file, ChunkWalk::declaredSizes, observer);
    ChunkWalk chosen = ChunkWalk::declaredSizes;
    if (walk.error != none && walk.headerUnreadable && file.rewindTo(firstChunkOffset)) {
        const WalkOutcome padded = walkToData(file, ChunkWalk::padded, observer);
        const bool formatRefused = padded.error == notMonoPcm || padded.error == not16Bit;
        if (padded.error == none || formatRefused) {
            walk = padded;
            chosen = ChunkWalk::padded;
        }
    }
    observer.walkChosen(chosen);
    if (walk.error != none)
        return walk.error;

    const std::uint32_t dataBytes = walk.dataBytes;
    if (dataBytes == verbatimDataBytes) {
        if (!file.read(scratch, verbatimDataBytes))
            return short256;
        for (std::uint32_t i = 0; i < waveshapeSampleCount; ++i)
            wave.samples[i] = sampleAt(i);
        return none;
    }
    if (dataBytes > maximumDataBytes)
        return tooMany;
    if (dataBytes < verbatimDataBytes)
        return tooFew;
    if (!file.read(scratch, dataBytes))
        return truncated;
    reduceToWave(dataBytes, wave.samples);
    wave.resampled = true;
    return none;
}

} // namespace

bool WaveFileLoader::load(const std::filesystem::path& path) noexcept
{
    return load(path, silentObserver);
}

bool WaveFileLoader::load(const std::filesystem::path& path, ChunkObserver& observer) noexcept
{
    wave_.lastError = "";
    wave_.resampled = false;
    std::uint64_t length = 0;
    if (path.empty() || !isRegularFile(path, length))
        return finish(cannotOpen);
    std::FILE* stream = openForReading(path);
    if (stream == nullptr)
        return finish(cannotOpen);
    std::setvbuf(stream, streamBuffer, _IOFBF, sizeof streamBuffer);
    const LoadFailure error = readWave(stream, length, wave_, observer);
    std::fclose(stream);
    return finish(error);
}

bool WaveFileLoader::load(std::FILE* stream) noexcept
{
    wave_.lastError = "";
    wave_.resampled = false;
    if (stream == nullptr)
        return finish(cannotOpen);
    return finish(readWave(stream, ChunkWalker::measureLength(stream), wave_, silentObserver));
}

bool WaveFileLoader::finish(LoadFailure failure) noexcept
{
    failure_ = failure;
    wave_.loaded = failure == none;
    if (failure != none) {
        wave_.lastError = loadFailureMessage(failure);
        wave_.resampled = false;
    }
    return wave_.loaded;
}

const char* loadFailureMessage(LoadFailure failure) noexcept
{
    switch (failure) {
    case none: return "";
    case cannotOpen: return "Failed to open wave file. Make sure another application does not have it open.";
    case notWav: return "Failed to open wave file. File does not appear to be a WAV file.";
    case notMonoPcm: return "Failed to open wave file. File is not a mono PCM format WAV file.";
    case not16Bit: return "Failed to open wave file. File is not a 16 bit PCM format WAV file.";
    case noData: return "Failed to find wave data in file. File does not appear to be a valid WAV file.";
    case short256: return "Failed to load wave data. File does not appear to contain 256 16 bit samples.";
    case tooMany: return "Failed to load wave data. File contains too many 16 bit samples.";
    case tooFew: return "Failed to load wave data. File contains less than 128 16 bit samples.";
    case truncated: return "Failed to load wave data. File appears to be truncated.";
    }
    return "";
}

} // namespace hwd
