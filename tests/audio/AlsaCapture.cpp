#include "AlsaCapture.h"

#include "FileBytes.h"

#include <cstdlib>

namespace AlsaCapture {

namespace {

namespace fs = std::filesystem;

constexpr const char* configurationVariable = "ALSA_CONFIG_PATH";
constexpr const char* captureVariable = "HWD_ALSA_CAPTURE";

fs::path configuration(const char* name)
{
    return fs::path(HWD_AUDIO_TEST_FOLDER) / name;
}

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, std::size_t length)
{
    std::uint32_t value = 0;
    for (std::size_t byte = length; byte-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + byte]);
    return value;
}

// The file plugin writes the plain 44-byte header: RIFF, a 16-byte "fmt "
// chunk and the "data" chunk, whose sizes it fills in at close.
constexpr std::size_t headerSize = 44;

} // namespace

void captureInThisProcess(const fs::path& captureFile)
{
    ::setenv(configurationVariable, configuration("capture.conf").c_str(), 1);
    ::setenv(captureVariable, captureFile.c_str(), 1);
}

void failInThisProcess()
{
    ::setenv(configurationVariable, configuration("no-output.conf").c_str(), 1);
}

std::vector<std::pair<std::string, std::string>> captureEnvironment(const fs::path& captureFile)
{
    return {{configurationVariable, configuration("capture.conf").string()}, {captureVariable, captureFile.string()}};
}

std::vector<std::pair<std::string, std::string>> failEnvironment()
{
    return {{configurationVariable, configuration("no-output.conf").string()}};
}

Recording read(const fs::path& captureFile)
{
    Recording recording;
    const std::string bytes = FileBytes::read(captureFile);
    if (bytes.size() < headerSize) {
        recording.problem = "no WAV header in " + captureFile.string();
        return recording;
    }
    if (bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 || littleEndian(bytes, 16, 4) != 16
        || littleEndian(bytes, 20, 2) != 1 || bytes.compare(36, 4, "data") != 0) {
        recording.problem = "not a plain PCM WAV header";
        return recording;
    }
    const std::size_t dataSize = bytes.size() - headerSize;
    if (littleEndian(bytes, 4, 4) != bytes.size() - 8 || littleEndian(bytes, 40, 4) != dataSize) {
        recording.problem = "the sizes in the header do not match the file: not closed?";
        return recording;
    }
    recording.channels = static_cast<std::uint16_t>(littleEndian(bytes, 22, 2));
    recording.rate = littleEndian(bytes, 24, 4);
    recording.bitsPerSample = static_cast<std::uint16_t>(littleEndian(bytes, 34, 2));
    for (std::size_t at = headerSize; at + 1 < bytes.size(); at += 2)
        recording.frames.push_back(static_cast<std::int16_t>(littleEndian(bytes, at, 2)));
    return recording;
}

} // namespace AlsaCapture
