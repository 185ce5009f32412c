#include "WaveSaving.h"

#include "DialogControls.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/WavWriter.h"
#include "wave/Waveshape.h"
#include "wave/WholeFile.h"

#include <algorithm>
#include <cctype>
#include <span>

namespace hwd {

namespace {

std::string lowerCase(std::u8string text)
{
    std::string lower(text.begin(), text.end());
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

std::string utf8Name(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

} // namespace

std::optional<SaveFormat> saveFormatFor(const std::filesystem::path& path)
{
    const std::string extension = lowerCase(path.extension().u8string());
    if (extension == ".wav")
        return SaveFormat::wav;
    if (extension == ".syx")
        return SaveFormat::syx;
    return std::nullopt;
}

std::string saveWave(const std::filesystem::path& path, const Waveshape& wave, std::uint8_t waveNumber)
{
    const std::optional<SaveFormat> format = saveFormatFor(path);
    if (!format)
        return "The wave was not saved: '" + utf8Name(path.filename()) +
               "' ends neither in .wav (a WAV file) nor in .syx (a SysEx dump).";
    std::string problem;
    if (*format == SaveFormat::wav) {
        const auto bytes = WavWriter::waveFile(wave.samples);
        problem = writeFileWhole(path, bytes);
    } else {
        problem = writeFileWhole(path, WaveDumpMessage::build(wave, waveNumber));
    }
    if (problem.empty())
        return {};
    return "The wave was not saved: " + problem + ".";
}

std::filesystem::path suggestedSaveName(const std::filesystem::path& currentPath, bool resampled)
{
    if (currentPath.empty() || !currentPath.has_filename())
        return "wave.wav";
    std::filesystem::path suggested = currentPath;
    if (resampled) {
        std::filesystem::path name = currentPath.stem();
        name += "-128.wav";
        suggested.replace_filename(name);
    } else {
        suggested.replace_extension(".wav");
    }
    return suggested;
}

void saveWaveAs(DialogControls& from, const Waveshape& wave, std::uint8_t waveNumber,
                const std::filesystem::path& currentPath)
{
    if (!wave.loaded)
        return;
    const std::optional<std::filesystem::path> target =
        from.chooseSaveTarget(suggestedSaveName(currentPath, wave.resampled), DialogControls::SaveTypes::wave);
    if (!target)
        return;
    if (const std::string problem = saveWave(*target, wave, waveNumber); !problem.empty())
        from.showMessage(problem, MessageIcon::Warning);
}

} // namespace hwd
