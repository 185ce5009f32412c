#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The audio tests play through the real ALSA library with a configuration of
// their own in place of the machine's: its default PCM writes everything it is
// given into a WAV file (the library's own file plugin) and discards it. These
// helpers point ALSA at that configuration and read back what was played.
namespace AlsaCapture {

// ALSA's default PCM captures into captureFile. The library reads the
// configuration again at the next open, so tests may switch between them.
void captureInThisProcess(const std::filesystem::path& captureFile);
// ALSA's default PCM cannot be opened: its slave does not exist.
void failInThisProcess();

// The same two for a program the test starts, as environment variables.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> captureEnvironment(
    const std::filesystem::path& captureFile);
[[nodiscard]] std::vector<std::pair<std::string, std::string>> failEnvironment();

// What the file plugin wrote: the WAV header's facts and the frames. A file
// that is missing, short or whose sizes the plugin did not settle at close
// has a problem.
struct Recording {
    std::string problem;
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bitsPerSample = 0;
    std::vector<std::int16_t> frames;
};
[[nodiscard]] Recording read(const std::filesystem::path& captureFile);

} // namespace AlsaCapture
