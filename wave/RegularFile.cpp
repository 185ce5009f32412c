#include "RegularFile.h"

#include <sys/stat.h>

namespace hwd {

bool isRegularFile(const std::filesystem::path& path, std::uint64_t& length) noexcept
{
#ifdef _WIN32
    struct _stat64 info {};
    if (::_wstat64(path.c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)
        return false;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
#endif
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

std::FILE* openForReading(const std::filesystem::path& path) noexcept
{
#ifdef _WIN32
    return ::_wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

} // namespace hwd
