#include "DumpFile.h"

#include "PathArgument.h"

#include <algorithm>
#include <cctype>

namespace hwd {

bool namesDumpFile(std::string_view file) noexcept
{
    constexpr std::string_view extension = ".syx";
    if (file.size() < extension.size())
        return false;
    const std::string_view end = file.substr(file.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

OneDump readOneDump(const std::string& file)
{
    DumpBank bank = readDumpBank(pathOfArgument(file), file);
    OneDump result;
    result.read = bank.read;
    if (!bank.problem.empty())
        result.problem = std::move(bank.problem);
    else if (bank.dumps.size() > 1)
        result.problem = "'" + file + "' holds " + std::to_string(bank.dumps.size())
            + " dumps, not one (wavedump unpack writes each as a WAV file)";
    else
        result.dump = bank.dumps.front();
    return result;
}

} // namespace hwd
