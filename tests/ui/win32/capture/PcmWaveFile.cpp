#include "PcmWaveFile.h"

#include "FileBytes.h"

#include <algorithm>

namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, std::size_t length)
{
    std::uint32_t value = 0;
    for (std::size_t byte = length; byte-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + byte]);
    return value;
}

} // namespace

PcmWaveFile PcmWaveFile::read(const std::filesystem::path& path)
{
    PcmWaveFile wave;
    const std::string bytes = FileBytes::read(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        wave.problem = "no RIFF/WAVE header in " + path.string();
        return wave;
    }
    bool formatSeen = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            if (littleEndian(bytes, body, 2) != 1 || littleEndian(bytes, body + 2, 2) != 1
                || littleEndian(bytes, body + 14, 2) != 16) {
                wave.problem = "not mono 16-bit PCM: " + path.string();
                return wave;
            }
            wave.rate = littleEndian(bytes, body + 4, 4);
            formatSeen = true;
        } else if (id == "data") {
            if (!formatSeen)
                break;
            wave.sizesSettled = body + size == bytes.size() && littleEndian(bytes, 4, 4) == bytes.size() - 8;
            const std::size_t end = std::min(bytes.size(), body + size);
            for (std::size_t frame = body; frame + 1 < end; frame += 2)
                wave.frames.push_back(static_cast<std::int16_t>(littleEndian(bytes, frame, 2)));
            return wave;
        }
        at = body + size + (size & 1);
    }
    wave.problem = "no \"fmt \" chunk before the \"data\" chunk in " + path.string();
    return wave;
}
