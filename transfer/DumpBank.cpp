#include "DumpBank.h"

#include "WaveDumpMessage.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>

namespace hwd {

namespace {

constexpr std::size_t largestBank = maxBankDumps * WaveDumpMessage::length;

std::string cannotRead(const std::string& path, const std::string& why)
{
    return "cannot read '" + path + "'" + (why.empty() ? "" : ": " + why);
}

// The file's first bytes, one more than the largest bank, and its size: enough
// to tell a bank from anything else without reading a large file whole. name
// is the file as given, for the messages; file the path it names.
std::string readHead(const std::string& name, const std::filesystem::path& file, std::vector<std::uint8_t>& bytes,
    std::uint64_t& size)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error)
        return cannotRead(name, error.message());
    if (!std::filesystem::is_regular_file(status))
        return cannotRead(name, "not a regular file");
    // The stream opens by the path's own characters, so that on Windows a name
    // outside the ANSI code page opens too.
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return cannotRead(name, std::strerror(errno));
    bytes.resize(largestBank + 1);
    stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (stream.bad())
        return cannotRead(name, "");
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    // Short of the limit the bytes read are the whole file; past it the file
    // system says how long it is.
    size = bytes.size();
    if (bytes.size() > largestBank) {
        const std::uintmax_t length = std::filesystem::file_size(file, error);
        if (!error)
            size = std::max<std::uint64_t>(size, length);
    }
    return {};
}

// Empty when the 300 bytes are a dump this program writes, else why not.
std::string checkDump(std::span<const std::uint8_t> bytes, SlotDump& dump)
{
    const auto decoded = WaveDumpMessage::decode(bytes);
    if (!decoded)
        return "is not a waveshape dump for a user slot 97 to 128";
    // The sender builds the dump afresh from the samples; it must come out as
    // the file's very bytes.
    Waveshape wave;
    wave.samples = decoded->samples;
    wave.loaded = true;
    const auto rebuilt = WaveDumpMessage::build(wave, decoded->waveNumber);
    if (!std::equal(rebuilt.begin(), rebuilt.end(), bytes.begin(), bytes.end()))
        return "is not a dump this program writes";
    dump.slot = decoded->waveNumber + 1;
    dump.samples = decoded->samples;
    return {};
}

} // namespace

DumpBank readDumpBank(const std::filesystem::path& file, const std::string& path)
{
    DumpBank bank;
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    if (std::string problem = readHead(path, file, bytes, size); !problem.empty()) {
        bank.problem = std::move(problem);
        return bank;
    }
    bank.read = true;
    const std::size_t count = bytes.size() / WaveDumpMessage::length;
    if (size != bytes.size() || bytes.size() % WaveDumpMessage::length != 0 || count == 0 || count > maxBankDumps) {
        bank.problem = "'" + path + "' has " + std::to_string(size)
            + " bytes, not one 300-byte waveshape dump or a bank of up to 32";
        return bank;
    }
    const std::span<const std::uint8_t> all(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = i * WaveDumpMessage::length;
        SlotDump dump;
        const std::string problem = checkDump(all.subspan(offset, WaveDumpMessage::length), dump);
        if (!problem.empty()) {
            // A bank says which dump is bad, so that it can be found in the file.
            const std::string which = count == 1 ? "'" + path + "'"
                : "'" + path + "': dump " + std::to_string(i + 1) + " of " + std::to_string(count) + ", at byte "
                    + std::to_string(offset) + ",";
            bank.problem = which + " " + problem;
            bank.dumps.clear();
            return bank;
        }
        bank.dumps.push_back(dump);
    }
    return bank;
}

} // namespace hwd
