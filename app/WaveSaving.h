#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace hwd {

class DialogControls;
struct Waveshape;

enum class SaveFormat {
    wav, // the 300-byte WAV file that loads back verbatim
    syx, // the 300-byte dump for one slot
};

// What a name asks for, by its extension in any case; nothing for any other.
[[nodiscard]] std::optional<SaveFormat> saveFormatFor(const std::filesystem::path& path);

// Writes the wave to path whole or not at all, as its extension asks; a .syx
// file is the dump for waveNumber (slot minus one). The empty text when saved,
// else why not, in the words a warning box shows.
[[nodiscard]] std::string saveWave(const std::filesystem::path& path, const Waveshape& wave, std::uint8_t waveNumber);

// The name Save Wave As offers: the current file's name, as a WAV file, in its
// folder; "wave.wav" before any file. When the wave was reduced from a longer
// recording, the name gains "-128" ("take.wav" offers "take-128.wav"), so that
// Enter does not offer to replace the recording with its 128 points.
[[nodiscard]] std::filesystem::path suggestedSaveName(const std::filesystem::path& currentPath, bool resampled);

// Save Wave As: asks from's file dialog where, saves there, and shows a
// warning box over from saying why when the wave could not be saved. Nothing
// without a wave loaded.
void saveWaveAs(DialogControls& from, const Waveshape& wave, std::uint8_t waveNumber,
                const std::filesystem::path& currentPath);

} // namespace hwd
