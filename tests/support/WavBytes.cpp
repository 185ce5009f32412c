#include "WavBytes.h"

#include <algorithm>
#include <cassert>

namespace WavBytes {

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined += part;
    return joined;
}

Bytes text(std::string_view letters)
{
    return Bytes(letters);
}

Bytes le16(std::uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

Bytes le32(std::uint32_t value)
{
    return le16(static_cast<std::uint16_t>(value & 0xFFFF)) + le16(static_cast<std::uint16_t>(value >> 16));
}

Bytes riffHeader(std::string_view riff, std::string_view form, std::uint32_t declaredSize)
{
    assert(riff.size() == 4 && form.size() == 4);
    return text(riff) + le32(declaredSize) + text(form);
}

Bytes riff(std::initializer_list<Bytes> chunks)
{
    const Bytes body = join(chunks);
    return riffHeader("RIFF", "WAVE", static_cast<std::uint32_t>(4 + body.size())) + body;
}

Bytes chunk(std::string_view id, std::uint32_t declaredSize, const Bytes& body)
{
    assert(id.size() == 4);
    return text(id) + le32(declaredSize) + body;
}

Bytes chunk(std::string_view id, const Bytes& body)
{
    return chunk(id, static_cast<std::uint32_t>(body.size()), body);
}

Bytes formatBody(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits, std::size_t bodyLength)
{
    constexpr std::uint32_t rate = 44100;
    const auto blockAlign = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    Bytes body = le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) + le16(bits);
    body.resize(std::max(bodyLength, body.size()), '\0');
    return body;
}

Bytes formatChunk(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits)
{
    return chunk("fmt ", formatBody(tag, channels, bits));
}

Bytes sampleBytes(std::span<const std::int16_t> samples)
{
    Bytes bytes;
    bytes.reserve(2 * samples.size());
    for (const std::int16_t sample : samples)
        bytes += le16(static_cast<std::uint16_t>(sample));
    return bytes;
}

Bytes indexedSampleBytes(std::size_t byteCount)
{
    Bytes bytes;
    bytes.reserve(byteCount + 1);
    for (std::size_t k = 0; bytes.size() < byteCount; ++k)
        bytes += le16(static_cast<std::uint16_t>(k));
    bytes.resize(byteCount);
    return bytes;
}

Bytes scatteredSampleBytes(std::size_t count)
{
    Bytes bytes;
    bytes.reserve(2 * count);
    for (std::size_t i = 0; i < count; ++i)
        bytes += le16(static_cast<std::uint16_t>(i * 40503u + 12345u));
    return bytes;
}

Bytes monoWav(const Bytes& data)
{
    return riff({formatChunk(), chunk("data", data)});
}

Bytes monoWav(std::span<const std::int16_t> samples)
{
    return monoWav(sampleBytes(samples));
}

} // namespace WavBytes
