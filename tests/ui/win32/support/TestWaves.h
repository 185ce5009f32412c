#pragma once

#include "ScratchDirectory.h"

#include <filesystem>
#include <string>
#include <string_view>

// The WAV files the desktop tests drop: copies of the example waves (written by
// Python's wave module) and a stereo file written by SoX, placed beside the
// test program at build time, and a scratch folder per test for files made on
// the spot.
namespace TestWaves {

// A file of the test-waves folder beside the test program.
[[nodiscard]] std::filesystem::path file(std::wstring_view name);

inline constexpr std::wstring_view square = L"square.wav";          // 64 x 32767, then 64 x -32767
inline constexpr std::wstring_view saw = L"saw.wav";                // -32768 rising by 512
inline constexpr std::wstring_view sine = L"sine.wav";              // 128 samples
inline constexpr std::wstring_view longSine = L"long-sine-600.wav"; // 600 samples: loads resampled
inline constexpr std::wstring_view stereo = L"sox-stereo.wav";      // refused: not mono

// The shared scratch directory, whose removal also reaches the names longer
// than the C runtime's 260 characters that the long-path tests make.
class ScratchFolder final {
public:
    ScratchFolder() = default;
    ~ScratchFolder();

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return directory_.path(); }
    // Writes text into a file of this folder and answers its path.
    std::filesystem::path writeText(const std::filesystem::path& name, std::string_view text) const
    {
        return directory_.write(name, text);
    }
    // Copies a test wave into this folder under a new name and answers its path.
    std::filesystem::path copyWave(std::wstring_view wave, const std::filesystem::path& name) const;

private:
    ScratchDirectory directory_;
};

} // namespace TestWaves
