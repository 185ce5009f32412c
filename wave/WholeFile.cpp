#include "WholeFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace hwd {

namespace {

std::string cannotWrite(const std::filesystem::path& path, const std::string& reason)
{
    const std::u8string name = path.u8string();
    return "cannot write '" + std::string(name.begin(), name.end()) + "': " + reason;
}

// A name beside path that no other writer is likely to use at the same time.
std::filesystem::path temporaryBeside(const std::filesystem::path& path)
{
    std::random_device entropy;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(entropy()));
    std::filesystem::path temporary = path;
    temporary.replace_filename(std::filesystem::path(".").concat(path.filename().native()).concat(suffix));
    return temporary;
}

bool writeAll(std::FILE* stream, std::span<const std::uint8_t> bytes) noexcept
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && std::fflush(stream) == 0;
}

// Opens by the path's own characters: on Windows a name outside the ANSI code
// page has no narrow spelling.
std::FILE* openForWriting(const std::filesystem::path& file) noexcept
{
#ifdef _WIN32
    return _wfopen(file.c_str(), L"wb");
#else
    return std::fopen(file.c_str(), "wb");
#endif
}

// Creates or truncates file and writes bytes into it; a problem names path,
// the file the user asked for.
std::string writeInto(const std::filesystem::path& file, const std::filesystem::path& path,
    std::span<const std::uint8_t> bytes)
{
    std::FILE* stream = openForWriting(file);
    if (stream == nullptr)
        return cannotWrite(path, std::strerror(errno));
    const bool written = writeAll(stream, bytes);
    const int writeErrno = errno;
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed)
        return cannotWrite(path, std::strerror(written ? errno : writeErrno));
    return {};
}

// A file this user may not write is refused, as cp refuses it: the rename into
// place would replace it regardless of its permission. Empty when it may be
// written (the administrator may write any file, as with cp).
std::string writeRefusal(const std::filesystem::path& target, const std::filesystem::path& path)
{
#ifdef _WIN32
    // The read-only attribute: the runtime's access check reads it.
    if (::_waccess(target.c_str(), 2) != 0 && errno == EACCES)
        return cannotWrite(path, std::strerror(EACCES));
#else
    if (::access(target.c_str(), W_OK) != 0 && errno == EACCES)
        return cannotWrite(path, std::strerror(EACCES));
#endif
    return {};
}

// The file that replaces target keeps target's permission bits.
void takePermissions(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifndef _WIN32
    struct stat info {};
    if (::stat(from.c_str(), &info) == 0)
        ::chmod(to.c_str(), info.st_mode & 07777);
#else
    (void)from;
    (void)to;
#endif
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

    const bool replacing = std::filesystem::exists(target, error);
    if (replacing) {
        if (std::string refusal = writeRefusal(target, path); !refusal.empty())
            return refusal;
    }

    const std::filesystem::path temporary = temporaryBeside(target);
    if (std::string problem = writeInto(temporary, path, bytes); !problem.empty()) {
        std::filesystem::remove(temporary, error);
        return problem;
    }
    if (replacing)
        takePermissions(target, temporary);
    std::filesystem::rename(temporary, target, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(temporary, error);
        return cannotWrite(path, reason);
    }
    return {};
}

} // namespace hwd
