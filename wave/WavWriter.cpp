#include "WavWriter.h"

#include <algorithm>

namespace hwd {

namespace WavWriter {

namespace {

template <class Bytes>
void putLe16(Bytes& bytes, std::size_t at, std::uint16_t value) noexcept
{
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

template <class Bytes>
void putLe32(Bytes& bytes, std::size_t at, std::uint32_t value) noexcept
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

template <class Bytes>
void putText(Bytes& bytes, std::size_t at, const char (&text)[5]) noexcept
{
    std::copy(text, text + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// The header and samples into bytes, which holds headerBytes + 2 * samples.size().
template <class Bytes>
void writeInto(Bytes& bytes, std::span<const std::int16_t> samples, std::uint32_t rate) noexcept
{
    const auto dataBytes = static_cast<std::uint32_t>(2 * samples.size());
    putText(bytes, 0, "RIFF");
    putLe32(bytes, 4, 36 + dataBytes);
    putText(bytes, 8, "WAVE");
    putText(bytes, 12, "fmt ");
    putLe32(bytes, 16, 16);
    putLe16(bytes, 20, 1);        // PCM
    putLe16(bytes, 22, 1);        // mono
    putLe32(bytes, 24, rate);
    putLe32(bytes, 28, 2 * rate); // bytes per second
    putLe16(bytes, 32, 2);        // bytes per frame
    putLe16(bytes, 34, 16);       // bits per sample
    putText(bytes, 36, "data");
    putLe32(bytes, 40, dataBytes);
    for (std::size_t i = 0; i < samples.size(); ++i)
        putLe16(bytes, headerBytes + 2 * i, static_cast<std::uint16_t>(samples[i]));
}

} // namespace

std::vector<std::uint8_t> monoPcm(std::span<const std::int16_t> samples, std::uint32_t rate)
{
    std::vector<std::uint8_t> bytes(headerBytes + 2 * samples.size());
    writeInto(bytes, samples, rate);
    return bytes;
}

std::array<std::uint8_t, waveFileBytes> waveFile(const SampleArray& samples) noexcept
{
    std::array<std::uint8_t, waveFileBytes> bytes{};
    writeInto(bytes, samples, waveSampleRate);
    return bytes;
}

} // namespace WavWriter

} // namespace hwd
