// Who holds a raw MIDI port, as /proc/asound tells it: each output subdevice
// that is open names the process that opened it. A sequencer connection opens
// the port in the kernel, on behalf of the process that made the connection.
#include "AlsaSystemPorts.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

namespace hwd {

namespace {

// The whole of a small text file; empty when it cannot be read.
std::optional<std::string> readText(const char* path)
{
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::string text;
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(descriptor);
            return got == 0 ? std::optional(text) : std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t\n");
    return first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
}

} // namespace

// The text lists each subdevice under a heading of its own ("Output 1",
// "Input 0"), with an "Owner PID" line while it is open.
std::optional<int> outputOwner(std::string_view text, unsigned subdevice)
{
    const std::string heading = "Output " + std::to_string(subdevice);
    bool inSection = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with("Output ") || line.starts_with("Input ")) {
            inSection = trimmed(line) == heading;
            continue;
        }
        const auto colon = line.find(':');
        if (!inSection || colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Owner PID")
            continue;
        const std::string_view number = trimmed(line.substr(colon + 1));
        int pid = 0;
        const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), pid);
        if (error == std::errc() && last == number.data() + number.size() && pid > 0)
            return pid;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<AlsaPortHolder> readPortHolder(const AlsaPortAddress& port)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/asound/card%d/midi%d", port.card, port.device);
    const std::optional<std::string> text = readText(path);
    if (!text)
        return std::nullopt;
    const std::optional<int> pid = outputOwner(*text, port.subdevice);
    if (!pid)
        return std::nullopt;
    std::snprintf(path, sizeof path, "/proc/%d/comm", *pid);
    const std::optional<std::string> program = readText(path);
    return AlsaPortHolder{*pid, program ? std::string(trimmed(*program)) : std::string()};
}

} // namespace hwd
