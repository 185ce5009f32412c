#pragma once

// The shared WAV builder (tests/support/WavBytes.h) for the desktop tests and
// the screenshots, which name their files with QString and check each write.

#include "FileBytes.h"
#include "SampleRuns.h"
#include "WavBytes.h"

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

namespace WavFixture {

using SampleRuns::cycle;
using SampleRuns::ramp;

// false when the file could not be written.
inline bool writeBytes(const QString& path, std::string_view bytes)
{
    try {
        FileBytes::write(std::filesystem::path(path.toStdU16String()), bytes);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// A mono 16-bit PCM file at 44100 Hz holding these samples.
inline bool write(const QString& path, const std::vector<std::int16_t>& samples)
{
    return writeBytes(path, WavBytes::monoWav(samples));
}

// The file of these samples named name in folder, by its path. The test
// program stops when it cannot be written: nothing after that would mean anything.
inline QString writeIn(const QTemporaryDir& folder, const QString& name, const std::vector<std::int16_t>& samples)
{
    const QString path = folder.filePath(name);
    if (!write(path, samples))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Not a WAV file at all.
inline bool writeText(const QString& path)
{
    return writeBytes(path, "This is a text file, not a RIFF file.\n");
}

} // namespace WavFixture
