#include "WaveFileLoader.h"

#include "Waveshape.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace {

using namespace WaveFileMessages;

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
    ChunkWalker(std::FILE* stream, std::uint64_t length) noexcept : stream_(stream), end_(length) {}

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

// Returns the failure's message, or nullptr when the wave was read.
const char* readWave(std::FILE* stream, std::uint64_t length, Waveshape& wave) noexcept
{
    ChunkWalker file(stream, length);

    unsigned char riff[8];
    unsigned char form[4];
    if (!file.read(riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0)
        return notWav;
    if (!file.read(form, sizeof form) || std::memcmp(form, "WAVE", 4) != 0)
        return notWav;

    ChunkHeader chunk{};
    for (;;) {
        if (!file.readHeader(chunk))
            return notWav;
        if (chunk.is("fmt "))
            break;
        if (!file.skip(chunk.size))
            return notWav;
    }

    unsigned char format[16];
    if (!file.read(format, sizeof format))
        return notWav;
    const std::uint16_t formatTag = littleEndian16(format);
    const std::uint16_t channels = littleEndian16(format + 2);
    const std::uint16_t bitsPerSample = littleEndian16(format + 14);
    if (formatTag != 1 || channels != 1)
        return notMonoPcm;
    // 8- or 24-bit data read as 16-bit pairs would be noise.
    if (bitsPerSample != 16)
        return not16Bit;
    // A declared size under 16 is not corrected for: 16 bytes were read regardless.
    if (chunk.size > 16 && !file.skip(chunk.size - 16))
        return noData;

    for (;;) {
        if (!file.readHeader(chunk))
            return noData;
        if (chunk.is("data"))
            break;
        if (!file.skip(chunk.size))
            return noData;
    }

    const std::uint32_t dataBytes = chunk.size;
    if (dataBytes == verbatimDataBytes) {
        if (!file.read(scratch, verbatimDataBytes))
            return short256;
        for (std::uint32_t i = 0; i < waveshapeSampleCount; ++i)
            wave.samples[i] = sampleAt(i);
        return nullptr;
    }
    if (dataBytes > maximumDataBytes)
        return tooMany;
    if (dataBytes < verbatimDataBytes)
        return tooFew;
    if (!file.read(scratch, dataBytes))
        return truncated;
    reduceToWave(dataBytes, wave.samples);
    wave.resampled = true;
    return nullptr;
}

// Only a regular file is opened: a directory, FIFO or device would fail later or
// block the program in the open. Its size from the same look serves the walk,
// which so need not seek to the end of the file and back (four more system
// calls and a read of the last block).
bool isRegularFile(const std::filesystem::path& path, std::uint64_t& length) noexcept
{
#ifdef _WIN32
    struct _stat64 info {};
    if (::_wstat64(path.c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)
        return false;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
#endif
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

// The path's own encoding: bytes on Linux, UTF-16 on Windows, so that a name
// outside the ANSI code page opens too.
std::FILE* openForReading(const std::filesystem::path& path) noexcept
{
#ifdef _WIN32
    return ::_wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

} // namespace

bool WaveFileLoader::load(const std::filesystem::path& path) noexcept
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
    const char* error = readWave(stream, length, wave_);
    std::fclose(stream);
    return finish(error);
}

bool WaveFileLoader::load(std::FILE* stream) noexcept
{
    wave_.lastError = "";
    wave_.resampled = false;
    if (stream == nullptr)
        return finish(cannotOpen);
    return finish(readWave(stream, ChunkWalker::measureLength(stream), wave_));
}

bool WaveFileLoader::finish(const char* error) noexcept
{
    wave_.loaded = error == nullptr;
    if (error != nullptr) {
        wave_.lastError = error;
        wave_.resampled = false;
    }
    return wave_.loaded;
}
