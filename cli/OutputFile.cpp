#include "OutputFile.h"

#include "PathArgument.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace hwd {

std::string writeStandardOutput(std::span<const std::uint8_t> bytes)
{
#ifdef _WIN32
    // Text mode would turn every 0x0A into 0x0D 0x0A.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        return std::string("cannot write to standard output: ") + std::strerror(errno);
    return {};
}

int writeOutput(std::string_view command, const std::string& output, std::span<const std::uint8_t> bytes)
{
    const std::string problem =
        output == "-" ? writeStandardOutput(bytes) : writeFileWhole(pathOfArgument(output), bytes);
    if (problem.empty())
        return 0;
    std::fprintf(stderr, "wavedump %.*s: %s\n", static_cast<int>(command.size()), command.data(), problem.c_str());
    return 1;
}

std::string makeFolder(const std::string& output)
{
    const std::filesystem::path folder = pathOfArgument(output);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return {};
    std::filesystem::create_directory(folder, error);
    if (error)
        return "cannot make folder '" + output + "': " + error.message();
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
