#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Runs a program as a terminal would, standard input empty, and keeps what it
// printed: the one way every Linux test and benchmark starts another program.
namespace Subprocess {

// What one run left behind.
struct Result {
    int exitCode = -1;     // -1 when it did not start or ended on a signal; 124 when it ran out of time
    bool timedOut = false; // still running at the deadline, and then killed
    std::string out;
    std::string err;
};

struct Options {
    // A run that blocks (on a FIFO, say) fails its test instead of holding the suite.
    std::chrono::milliseconds timeout{60000};
    std::vector<std::string> unsetEnvironment;
    std::vector<std::pair<std::string, std::string>> setEnvironment;
    // Standard output goes to this file instead of being kept (e.g. /dev/full).
    std::optional<std::filesystem::path> standardOutputFile;
    // Called with each line of standard output, without its newline, as it arrives.
    std::function<void(std::string_view)> onOutputLine;
};

// command[0] is the program, found on the PATH unless it has a slash.
[[nodiscard]] Result run(const std::vector<std::string>& command, const Options& options = {});

} // namespace Subprocess
