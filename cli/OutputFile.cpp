#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::string cannotWrite(const std::filesystem::path& path, const std::string& reason)
{
    return "cannot write '" + path.string() + "': " + reason;
}

// A name beside path that no other writer is likely to use at the same time.
std::filesystem::path temporaryBeside(const std::filesystem::path& path)
{
    std::random_device entropy;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(entropy()));
    std::filesystem::path temporary = path;
    temporary.replace_filename("." + path.filename().string() + suffix);
    return temporary;
}

bool writeAll(std::FILE* stream, std::span<const std::uint8_t> bytes) noexcept
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && std::fflush(stream) == 0;
}

} // namespace

std::string writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return cannotWrite(path, "it is a folder");
    if (!path.has_filename())
        return cannotWrite(path, "no file name");

    const std::filesystem::path temporary = temporaryBeside(path);
    std::FILE* stream = std::fopen(temporary.string().c_str(), "wb");
    if (stream == nullptr)
        return cannotWrite(path, std::strerror(errno));
    const bool written = writeAll(stream, bytes);
    const int writeErrno = errno;
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed) {
        std::filesystem::remove(temporary, error);
        return cannotWrite(path, std::strerror(written ? errno : writeErrno));
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(temporary, error);
        return cannotWrite(path, reason);
    }
    return {};
}

std::string writeStandardOutput(std::span<const std::uint8_t> bytes)
{
#ifdef _WIN32
    // Text mode would turn every 0x0A into 0x0D 0x0A.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (!writeAll(stdout, bytes))
        return std::string("cannot write to standard output: ") + std::strerror(errno);
    return {};
}
