#include "CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace hwd {

std::filesystem::path fileNamedOnCommandLine(const wchar_t* commandLine)
{
    // The whole command line, program name included: given only the arguments,
    // CommandLineToArgvW would read the first one as a program name, by other
    // quoting rules, and an empty one as this program's own path.
    if (commandLine == nullptr || *commandLine == L'\0')
        return {};
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(commandLine, &count), &LocalFree);
    if (!arguments || count < 2 || arguments.get()[1][0] == L'\0')
        return {};
    return std::filesystem::path(arguments.get()[1]);
}

} // namespace hwd
