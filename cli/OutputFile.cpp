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

namespace hwd {

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

// Creates or truncates file and writes bytes into it; a problem names path,
// the file the user asked for.
std::string writeInto(const std::filesystem::path& file, const std::filesystem::path& path,
    std::span<const std::uint8_t> bytes)
{
    std::FILE* stream = std::fopen(file.string().c_str(), "wb");
    if (stream == nullptr)
        return cannotWrite(path, std::strerror(errno));
    const bool written = writeAll(stream, bytes);
    const int writeErrno = errno;
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed)
        return cannotWrite(path, std::strerror(written ? errno : writeErrno));
    return {};
}

} // namespace

std::string writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        return cannotWrite(path, "it is a folder");
    if (!path.has_filename())
        return cannotWrite(path, "no file name");
    // Straight into an existing file that is no regular file (/dev/null, a
    // terminal, a FIFO): renaming a file over it would replace the device itself.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return writeInto(path, path, bytes);
    // Through a link the file it names is replaced, not the link.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        if (std::filesystem::path resolved = std::filesystem::canonical(path, error); !error)
            target = resolved;
    }

    const std::filesystem::path temporary = temporaryBeside(target);
    if (std::string problem = writeInto(temporary, path, bytes); !problem.empty()) {
        std::filesystem::remove(temporary, error);
        return problem;
    }
    std::filesystem::rename(temporary, target, error);
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

int finishStandardOutput(std::string_view command)
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return 0;
    std::fprintf(stderr, "wavedump %.*s: cannot write to standard output: %s\n", static_cast<int>(command.size()),
        command.data(), std::strerror(errno));
    return 1;
}

} // namespace hwd
