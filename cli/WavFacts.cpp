#include "WavFacts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

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

std::optional<WavFacts> readWavFacts(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    file.seekg(0, std::ios::beg);
    if (end < 0 || !file)
        return std::nullopt;

    WavFacts facts;
    facts.fileBytes = static_cast<std::uint64_t>(end);
    std::array<unsigned char, 12> header{};
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size()))
        return facts;
    facts.riffWave = std::memcmp(header.data(), "RIFF", 4) == 0 && std::memcmp(header.data() + 8, "WAVE", 4) == 0;
    if (!facts.riffWave)
        return facts;

    // Chunks follow one another by their declared sizes, without pad bytes, as
    // the loader walks them.
    std::uint64_t position = header.size();
    while (facts.chunks.size() < chunkLimit && position + 8 <= facts.fileBytes) {
        std::array<unsigned char, 8> chunkHeader{};
        file.seekg(static_cast<std::streamoff>(position));
        if (!file.read(reinterpret_cast<char*>(chunkHeader.data()), chunkHeader.size()))
            break;
        WavFacts::Chunk chunk;
        chunk.id = printableId(chunkHeader.data());
        chunk.size = littleEndian32(chunkHeader.data() + 4);
        const std::uint64_t body = position + 8;
        chunk.present = std::min<std::uint64_t>(chunk.size, facts.fileBytes - body);

        // The loader reads 16 bytes of format even when the chunk declares fewer.
        if (chunk.id == "fmt " && !facts.format && facts.fileBytes - body >= 16) {
            std::array<unsigned char, 16> format{};
            if (file.read(reinterpret_cast<char*>(format.data()), format.size())) {
                facts.format = WavFacts::Format{littleEndian16(format.data()), littleEndian16(format.data() + 2),
                    littleEndian32(format.data() + 4), littleEndian16(format.data() + 14)};
            }
        } else if (chunk.id == "data" && facts.format && !facts.dataBytes) {
            facts.dataBytes = chunk.size;
        }
        facts.chunks.push_back(chunk);
        position = body + chunk.size;
    }
    return facts;
}

const char* formatTagName(std::uint16_t tag) noexcept
{
    switch (tag) {
    case 0x0001: return "PCM";
    case 0x0002: return "Microsoft ADPCM";
    case 0x0003: return "IEEE float";
    case 0x0006: return "A-law";
    case 0x0007: return "mu-law";
    case 0x0011: return "IMA ADPCM";
    case 0x0055: return "MPEG layer 3";
    case 0xFFFE: return "extensible";
    default: return "unknown";
    }
}
