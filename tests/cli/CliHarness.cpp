#include "CliHarness.h"

#include <sstream>

namespace fs = std::filesystem;

RunResult runWavedump(const std::vector<std::string>& args)
{
    std::vector<std::string> command{WAVEDUMP_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    return Subprocess::run(command);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

fs::path sourceFile(std::string_view relative)
{
    return fs::path(PROJECT_SOURCE) / relative;
}
