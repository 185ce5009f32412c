#include "SampleFormat.h"

#include "FormatTags.h"

#include <bit>
#include <cmath>
#include <cstdio>

namespace hwd {

namespace {

std::uint16_t littleEndian16(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t littleEndian32(const unsigned char* bytes) noexcept
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint64_t littleEndian64(const unsigned char* bytes) noexcept
{
    return littleEndian32(bytes) | (std::uint64_t{littleEndian32(bytes + 4)} << 32);
}

constexpr const char* supportedSampleSizes =
    "supported are 8, 16, 24 and 32 bit PCM and 32 or 64 bit float.";
constexpr const char* supportedEncodings = "supported are PCM and float.";

std::string formatRefusal(std::uint16_t tag)
{
    char text[128];
    if (const char* name = knownFormatName(tag))
        std::snprintf(text, sizeof text, "File is in format 0x%04X (%s); %s", unsigned{tag}, name, supportedEncodings);
    else
        std::snprintf(text, sizeof text, "File is in format 0x%04X; %s", unsigned{tag}, supportedEncodings);
    return text;
}

bool sizeIsSupported(std::uint16_t bits, bool isFloat) noexcept
{
    return isFloat ? bits == 32 || bits == 64 : bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// One sample as a number in its own units: the integer, less 128 for 8-bit,
// or the float.
template <std::uint16_t bits, bool isFloat>
double sampleValue(const unsigned char* bytes) noexcept
{
    if constexpr (isFloat && bits == 32) {
        const float value = std::bit_cast<float>(littleEndian32(bytes));
        return std::isfinite(value) ? value : 0.0;
    } else if constexpr (isFloat) {
        const double value = std::bit_cast<double>(littleEndian64(bytes));
        return std::isfinite(value) ? value : 0.0;
    } else if constexpr (bits == 8) {
        return bytes[0] - 128;
    } else if constexpr (bits == 16) {
        return static_cast<std::int16_t>(littleEndian16(bytes));
    } else if constexpr (bits == 24) {
        // The three bytes at the top of a 32-bit word, shifted down with their sign.
        const std::uint32_t word = (std::uint32_t{bytes[0]} << 8) | (std::uint32_t{bytes[1]} << 16)
            | (std::uint32_t{bytes[2]} << 24);
        return static_cast<std::int32_t>(word) >> 8;
    } else {
        return static_cast<std::int32_t>(littleEndian32(bytes));
    }
}

// The channels are summed in their own units, exactly for integers (8 channels
// of 32 bits need 35 of a double's 53 bits), and scaled once: the sum times
// scale / channels is the mean of the scaled samples.
template <std::uint16_t bits, bool isFloat>
void mixFrames(const unsigned char* bytes, unsigned channels, std::span<float> out) noexcept
{
    const double scale = (isFloat ? 32767.0 : 32767.0 / std::ldexp(1.0, bits - 1)) / channels;
    constexpr unsigned sampleBytes = bits / 8;
    for (float& frame : out) {
        double sum = 0;
        for (unsigned channel = 0; channel < channels; ++channel, bytes += sampleBytes)
            sum += sampleValue<bits, isFloat>(bytes);
        frame = static_cast<float>(sum * scale);
    }
}

} // namespace

SampleFormatRead readSampleFormat(std::span<const unsigned char> body)
{
    SampleFormat format;
    std::uint16_t tag = littleEndian16(body.data());
    format.channels = littleEndian16(body.data() + 2);
    format.rate = littleEndian32(body.data() + 4);
    format.bitsPerSample = littleEndian16(body.data() + 14);
    if (tag == extensibleFormatTag) {
        // Too short to name its sub-format: what it holds cannot be known.
        const std::optional<std::uint16_t> subTag =
            body.size() >= extensibleFormatBytes ? subFormatTag(body.data() + subFormatOffset) : std::nullopt;
        if (!subTag)
            return {std::nullopt, std::string("File's extensible format names a sub-format other than PCM and float; ")
                                      + supportedEncodings};
        tag = *subTag;
        format.extensible = true;
    }
    if (tag != pcmFormatTag && tag != floatFormatTag)
        return {std::nullopt, formatRefusal(tag)};
    format.isFloat = tag == floatFormatTag;

    char text[160];
    if (!sizeIsSupported(format.bitsPerSample, format.isFloat)) {
        std::snprintf(text, sizeof text, "File is %u bit %s; %s", unsigned{format.bitsPerSample},
                      format.isFloat ? "float" : "PCM", supportedSampleSizes);
        return {std::nullopt, text};
    }
    if (format.channels < 1 || format.channels > maximumRecordingChannels) {
        std::snprintf(text, sizeof text, "File has %u channels; supported are 1 to %u.", unsigned{format.channels},
                      unsigned{maximumRecordingChannels});
        return {std::nullopt, text};
    }
    if (format.rate == 0)
        return {std::nullopt, "File gives its sample rate as 0 Hz; supported is any rate of 1 Hz or more."};
    return {format, {}};
}

void mixToMono(const SampleFormat& format, const unsigned char* bytes, std::span<float> out) noexcept
{
    const unsigned channels = format.channels;
    if (format.isFloat) {
        if (format.bitsPerSample == 32)
            mixFrames<32, true>(bytes, channels, out);
        else
            mixFrames<64, true>(bytes, channels, out);
        return;
    }
    switch (format.bitsPerSample) {
    case 8: mixFrames<8, false>(bytes, channels, out); break;
    case 16: mixFrames<16, false>(bytes, channels, out); break;
    case 24: mixFrames<24, false>(bytes, channels, out); break;
    default: mixFrames<32, false>(bytes, channels, out); break;
    }
}

} // namespace hwd
