#include "WavFacts.h"

#include "wave/FormatTags.h"

#include <algorithm>

namespace hwd {

namespace {

// A file with more chunks than this is described by its first ones only.
constexpr std::size_t chunkLimit = 64;

std::uint16_t littleEndian16(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t littleEndian32(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::string printableId(const unsigned char* bytes)
{
    std::string id(4, '?');
    for (std::size_t i = 0; i < 4; ++i) {
        if (bytes[i] >= 0x20 && bytes[i] < 0x7F)
            id[i] = static_cast<char>(bytes[i]);
    }
    return id;
}

} // namespace

void WavFactsRecorder::walkStarted(ChunkWalk walk)
{
    walking_ = walk;
    current() = Walk{true, {}, std::nullopt, std::nullopt};
}

void WavFactsRecorder::chunkFound(const unsigned char* id, std::uint32_t size, std::uint64_t offset)
{
    Walk& walk = current();
    walk.last = Found{printableId(id), size, offset};
    if (walk.chunks.size() < chunkLimit)
        walk.chunks.push_back(*walk.last);
}

void WavFactsRecorder::formatFound(const unsigned char* body)
{
    current().format =
        WavFacts::Format{littleEndian16(body), littleEndian16(body + 2), littleEndian32(body + 4), littleEndian16(body + 14)};
}

void WavFactsRecorder::extensiblePcmFound()
{
    if (current().format)
        current().format->extensiblePcm = true;
}

void WavFactsRecorder::walkChosen(ChunkWalk walk)
{
    chosen_ = walk;
}

WavFacts WavFactsRecorder::facts(std::uint64_t fileBytes) const
{
    const Walk& walk = walks_[chosen_ == ChunkWalk::padded ? 1 : 0];
    WavFacts facts;
    facts.fileBytes = fileBytes;
    facts.riffWave = walk.started;
    facts.walk = chosen_;
    facts.format = walk.format;
    for (const Found& found : walk.chunks) {
        const std::uint64_t body = found.offset + 8;
        const std::uint64_t present = body < fileBytes ? fileBytes - body : 0;
        facts.chunks.push_back({found.id, found.size, std::min<std::uint64_t>(found.size, present)});
    }
    // The walk ends at the data chunk it takes, which always comes after the format.
    if (walk.format && walk.last && walk.last->id == "data")
        facts.dataBytes = walk.last->size;
    return facts;
}

const char* formatTagName(std::uint16_t tag) noexcept
{
    const char* name = knownFormatName(tag);
    return name != nullptr ? name : "unknown";
}

} // namespace hwd
