#include "WaveDumpMessage.h"

#include <algorithm>

namespace hwd {

namespace WaveDumpMessage {
namespace {

constexpr std::array<std::uint8_t, 5> header = {0xF0, 0x01, 0x20, 0x01, 0x0A};
constexpr std::uint8_t endOfExclusive = 0xF7;
constexpr std::size_t packedStart = 6;
constexpr std::size_t groupSize = 7;

std::array<std::uint8_t, length> buffer{};

std::uint8_t sampleByte(const SampleArray& samples, std::size_t index) noexcept
{
    const auto value = static_cast<std::uint16_t>(samples[index / 2]);
    return static_cast<std::uint8_t>(index % 2 == 0 ? value & 0xFF : value >> 8);
}

} // namespace

std::span<const std::uint8_t> build(const Waveshape& wave, std::uint8_t waveNumber) noexcept
{
    std::copy(header.begin(), header.end(), buffer.begin());
    buffer[5] = waveNumber;
    buffer[length - 1] = endOfExclusive;

    std::size_t write = packedStart;
    std::size_t leading = packedStart;
    int bit = 0;
    for (std::size_t i = 0; i < 2 * waveshapeSampleCount; ++i) {
        const std::uint8_t byte = sampleByte(wave.samples, i);
        if (bit == 0) {
            leading = write;
            buffer[write++] = 0;
        }
        buffer[write++] = byte & 0x7F;
        if (byte & 0x80)
            buffer[leading] = static_cast<std::uint8_t>(buffer[leading] | (1u << bit));
        bit = (bit + 1) % groupSize;
    }
    return {buffer.data(), length};
}

std::span<const std::uint8_t, length> dumpBuffer() noexcept
{
    return std::span<const std::uint8_t, length>(buffer);
}

std::optional<Decoded> decode(std::span<const std::uint8_t> message) noexcept
{
    if (message.size() != length || !std::equal(header.begin(), header.end(), message.begin())
        || message[length - 1] != endOfExclusive)
        return std::nullopt;
    if (message[5] < firstWaveNumber || message[5] > lastWaveNumber)
        return std::nullopt;
    if (std::any_of(message.begin() + 1, message.end() - 1, [](std::uint8_t b) { return b >= 0x80; }))
        return std::nullopt;

    Decoded decoded{message[5], {}};
    std::array<std::uint8_t, 2 * waveshapeSampleCount> bytes{};
    std::size_t read = packedStart;
    std::uint8_t leading = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto bit = i % groupSize;
        if (bit == 0)
            leading = message[read++];
        bytes[i] = static_cast<std::uint8_t>(message[read++] | (((leading >> bit) & 1u) << 7));
    }
    // The last group's leading byte holds only four bits; anything above is not a dump of ours.
    if (message[length - 6] & 0x70)
        return std::nullopt;
    for (std::size_t s = 0; s < decoded.samples.size(); ++s)
        decoded.samples[s] = static_cast<std::int16_t>(bytes[2 * s] | (bytes[2 * s + 1] << 8));
    return decoded;
}

} // namespace WaveDumpMessage

} // namespace hwd
