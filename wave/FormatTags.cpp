#include "FormatTags.h"

#include <cstring>

namespace hwd {

namespace {

// Bytes 2 to 15 of every sub-format GUID made from a plain tag, as the file holds them.
constexpr unsigned char tagGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                           0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

std::optional<std::uint16_t> subFormatTag(const unsigned char* guid) noexcept
{
    if (std::memcmp(guid + 2, tagGuidTail, sizeof tagGuidTail) != 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(guid[0] | (guid[1] << 8));
}

const char* knownFormatName(std::uint16_t tag) noexcept
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
    default: return nullptr;
    }
}

} // namespace hwd
