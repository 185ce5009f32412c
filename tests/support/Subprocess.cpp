#include "Subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <thread>

extern char** environ;

namespace Subprocess {

namespace {

// Both ends of a pipe, closed when it goes.
class Pipe final {
public:
    Pipe()
    {
        if (::pipe2(ends_.data(), O_CLOEXEC) != 0)
            ends_ = {-1, -1};
    }
    ~Pipe()
    {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    [[nodiscard]] bool ok() const noexcept { return ends_[0] >= 0; }
    [[nodiscard]] int readEnd() const noexcept { return ends_[0]; }
    [[nodiscard]] int writeEnd() const noexcept { return ends_[1]; }
    void closeRead() noexcept { closeEnd(0); }
    void closeWrite() noexcept { closeEnd(1); }

private:
    void closeEnd(int which) noexcept
    {
        if (ends_[which] >= 0)
            ::close(ends_[which]);
        ends_[which] = -1;
    }
    std::array<int, 2> ends_{};
};

std::vector<std::string> environmentFor(const Options& options)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('='));
        bool dropped = false;
        for (const std::string& unset : options.unsetEnvironment)
            dropped = dropped || name == unset;
        for (const auto& [setName, value] : options.setEnvironment)
            dropped = dropped || name == setName;
        if (!dropped)
            entries.emplace_back(text);
    }
    for (const auto& [name, value] : options.setEnvironment)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Hands each complete line of what arrived so far to the watcher.
void passLines(std::string& pending, const Options& options)
{
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        options.onOutputLine(std::string_view(pending).substr(0, end));
        pending.erase(0, end + 1);
    }
}

int exitCodeOf(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

Result run(const std::vector<std::string>& command, const Options& options)
{
    Result result;
    Pipe out;
    Pipe err;
    if (command.empty() || !out.ok() || !err.ok())
        return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.standardOutputFile)
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, options.standardOutputFile->c_str(), O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, out.writeEnd(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.writeEnd(), STDERR_FILENO);

    std::vector<std::string> arguments = command;
    std::vector<std::string> environment = environmentFor(options);
    const std::vector<char*> argv = pointersTo(arguments);
    const std::vector<char*> envp = pointersTo(environment);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    out.closeWrite();
    err.closeWrite();
    if (spawned != 0) {
        result.err = "cannot start " + command[0] + ": " + std::strerror(spawned);
        return result;
    }
    if (options.standardOutputFile)
        out.closeRead();

    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    std::string pending;
    std::array<pollfd, 2> streams{pollfd{out.readEnd(), POLLIN, 0}, pollfd{err.readEnd(), POLLIN, 0}};
    std::array<std::string*, 2> kept{&result.out, &result.err};
    while (streams[0].fd >= 0 || streams[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            break;
        }
        if (::poll(streams.data(), streams.size(), static_cast<int>(left.count())) < 0)
            continue;
        for (std::size_t which = 0; which < streams.size(); ++which) {
            if (streams[which].fd < 0 || streams[which].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(streams[which].fd, buffer, sizeof buffer);
            if (got <= 0) {
                streams[which].fd = -1;
                continue;
            }
            kept[which]->append(buffer, static_cast<std::size_t>(got));
            if (which == 0 && options.onOutputLine) {
                pending.append(buffer, static_cast<std::size_t>(got));
                passLines(pending, options);
            }
        }
    }
    if (options.onOutputLine && !pending.empty() && !result.timedOut)
        options.onOutputLine(pending);

    // A program may close its streams and still run on: the deadline holds for its end too.
    int status = 0;
    while (!result.timedOut && ::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            result.timedOut = true;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (result.timedOut) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    result.exitCode = result.timedOut ? 124 : exitCodeOf(status);
    return result;
}

} // namespace Subprocess
