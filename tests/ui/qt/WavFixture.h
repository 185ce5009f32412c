#pragma once

// WAV fixtures for the desktop tests, the screenshots and the benchmarks: a
// plain RIFF/WAVE writer for mono 16-bit PCM, kept apart from the program's
// own reader.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace WavFixture {

inline void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size)
{
    for (int byte = 0; byte < size; ++byte)
        bytes.append(static_cast<char>((value >> (8 * byte)) & 0xFF));
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A mono 16-bit PCM file at 44100 Hz holding these samples.
inline bool write(const QString& path, const std::vector<std::int16_t>& samples)
{
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray bytes("RIFF");
    appendLittleEndian(bytes, 36 + dataSize, 4);
    bytes.append("WAVEfmt ");
    appendLittleEndian(bytes, 16, 4);
    appendLittleEndian(bytes, 1, 2);          // PCM
    appendLittleEndian(bytes, 1, 2);          // mono
    appendLittleEndian(bytes, 44100, 4);
    appendLittleEndian(bytes, 44100 * 2, 4);  // bytes per second
    appendLittleEndian(bytes, 2, 2);          // block align
    appendLittleEndian(bytes, 16, 2);
    bytes.append("data");
    appendLittleEndian(bytes, dataSize, 4);
    for (const std::int16_t sample : samples)
        appendLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
    return writeBytes(path, bytes);
}

// One cycle of a sine with a touch of its second harmonic, over count samples.
inline std::vector<std::int16_t> cycle(int count, double amplitude = 30000.0)
{
    std::vector<std::int16_t> samples;
    for (int index = 0; index < count; ++index) {
        const double phase = 2.0 * std::numbers::pi * index / count;
        samples.push_back(static_cast<std::int16_t>(amplitude * (0.8 * std::sin(phase) + 0.2 * std::sin(2 * phase))));
    }
    return samples;
}

// A rising ramp: sample i is first + i * step.
inline std::vector<std::int16_t> ramp(int count, int first, int step)
{
    std::vector<std::int16_t> samples;
    for (int index = 0; index < count; ++index)
        samples.push_back(static_cast<std::int16_t>(first + index * step));
    return samples;
}

// Not a WAV file at all.
inline bool writeText(const QString& path)
{
    return writeBytes(path, QByteArray("This is a text file, not a RIFF file.\n"));
}

} // namespace WavFixture
