#include "RecordingChunks.h"

#include "StreamReader.h"

#include <algorithm>
#include <cstring>

namespace hwd {

namespace {

constexpr std::uint64_t firstChunkOffset = 12; // after "RIFF", its size and "WAVE"
constexpr std::size_t chunkHeaderBytes = 8;

// The smpl chunk: 36 bytes of sampler data, the loop count at byte 28, then
// 24 bytes a loop with its first and last frame at bytes 8 and 12.
constexpr std::size_t samplerLoopCountOffset = 28;
constexpr std::size_t samplerFirstLoopOffset = 36;
constexpr std::size_t samplerLoopBytes = 24;

std::uint32_t littleEndian32(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Eight bytes that can begin a chunk: an id of four printable ASCII characters.
bool looksLikeChunkHeader(const unsigned char* bytes, std::size_t available) noexcept
{
    return available >= chunkHeaderBytes
        && std::all_of(bytes, bytes + 4, [](unsigned char c) { return c >= 0x20 && c < 0x7F; });
}

// Where the chunk after an odd-sized body starts. RIFF puts a pad byte after
// such a body, but some writers leave it out, and both kinds of file are
// about. The next chunk starts right at the declared end when a chunk header
// reads there; else one byte further, past the pad byte. The pad byte is a
// zero, which no chunk id starts with, so a padded file is never misread.
std::uint64_t afterOddBody(StreamReader& file, std::uint64_t declaredEnd) noexcept
{
    unsigned char next[chunkHeaderBytes];
    const std::size_t available = file.readAt(declaredEnd, next, sizeof next);
    return looksLikeChunkHeader(next, available) ? declaredEnd : declaredEnd + 1;
}

std::optional<RecordingChunks::Loop> firstSamplerLoop(StreamReader& file, std::uint64_t body, std::uint64_t present)
{
    unsigned char sampler[samplerFirstLoopOffset + samplerLoopBytes];
    if (present < sizeof sampler || file.readAt(body, sampler, sizeof sampler) != sizeof sampler)
        return std::nullopt;
    if (littleEndian32(sampler + samplerLoopCountOffset) < 1)
        return std::nullopt;
    const unsigned char* loop = sampler + samplerFirstLoopOffset;
    return RecordingChunks::Loop{littleEndian32(loop + 8), littleEndian32(loop + 12)};
}

} // namespace

RecordingChunks findRecordingChunks(StreamReader& file)
{
    RecordingChunks found;
    unsigned char header[firstChunkOffset];
    if (file.readAt(0, header, sizeof header) != sizeof header || std::memcmp(header, "RIFF", 4) != 0
        || std::memcmp(header + 8, "WAVE", 4) != 0)
        return found;
    found.riffWave = true;

    // The RIFF size is not examined: the chunks run to the end of the file.
    // Each turn moves on by eight bytes at least, so the walk ends.
    std::uint64_t offset = firstChunkOffset;
    while (offset + chunkHeaderBytes <= file.length() && !(found.format && found.data && found.loop)) {
        unsigned char chunk[chunkHeaderBytes];
        if (file.readAt(offset, chunk, sizeof chunk) != sizeof chunk)
            break;
        const std::uint32_t size = littleEndian32(chunk + 4);
        const std::uint64_t body = offset + chunkHeaderBytes;
        const std::uint64_t present = std::min<std::uint64_t>(size, file.length() - body);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !found.format) {
            RecordingChunks::Format format;
            format.size = file.readAt(body, format.bytes.data(), std::min<std::uint64_t>(present, format.bytes.size()));
            found.format = format;
        } else if (std::memcmp(chunk, "data", 4) == 0 && !found.data) {
            found.data = RecordingChunks::Data{body, present};
        } else if (std::memcmp(chunk, "smpl", 4) == 0 && !found.loop) {
            found.loop = firstSamplerLoop(file, body, present);
        }
        const std::uint64_t declaredEnd = body + size;
        if (declaredEnd >= file.length())
            break;
        offset = size % 2 != 0 ? afterOddBody(file, declaredEnd) : declaredEnd;
    }
    return found;
}

} // namespace hwd
