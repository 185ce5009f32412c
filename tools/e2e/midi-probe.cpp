// The far end of the MIDI cable in the virtual machine: records what arrives on
// one raw MIDI input while a command runs, and how long each part took.
//
// usage: midi-probe PORT OUT QUIET_MS LIMIT_MS COMMAND [ARGS...]
//
// PORT is an ALSA raw MIDI input such as hw:1,0,0, or "-" to time the command
// without listening. The port is open before the command starts, so nothing the
// command sends is missed. Listening ends QUIET_MS after the last byte once the
// command has exited (or QUIET_MS after its exit when nothing came); after
// LIMIT_MS from the start the command is killed and listening ends anyway, so a
// fault fails a check instead of holding the machine. The bytes go to OUT, and
// one line to standard output:
//
//   bytes=300 status=0 start_to_last_ms=118 last_to_exit_ms=104 total_ms=222
//
// status is the command's exit status, or "killed" after the limit. The times are
// -1 when no byte came.
#include <alsa/asoundlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

long long nowMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

struct Timeline {
    long long start = 0;
    long long lastByte = -1;
    long long exit = -1;
};

pid_t startCommand(char** argv)
{
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        std::fprintf(stderr, "midi-probe: cannot run %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    return child;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: midi-probe PORT OUT QUIET_MS LIMIT_MS COMMAND [ARGS...]\n");
        return 2;
    }
    const std::string port = argv[1];
    const char* outPath = argv[2];
    const long long quietMs = std::atoll(argv[3]);
    const long long limitMs = std::atoll(argv[4]);

    snd_rawmidi_t* input = nullptr;
    if (port != "-") {
        if (const int error = snd_rawmidi_open(&input, nullptr, port.c_str(), SND_RAWMIDI_NONBLOCK); error < 0) {
            std::fprintf(stderr, "midi-probe: cannot open %s: %s\n", port.c_str(), snd_strerror(error));
            return 2;
        }
    }

    Timeline times;
    times.start = nowMs();
    const pid_t child = startCommand(argv + 5);
    if (child < 0) {
        std::fprintf(stderr, "midi-probe: fork: %s\n", std::strerror(errno));
        return 2;
    }

    std::vector<unsigned char> received;
    std::string exitText = "running";
    for (;;) {
        const long long now = nowMs();
        if (times.exit < 0) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                times.exit = now;
                exitText = WIFEXITED(status) ? std::to_string(WEXITSTATUS(status))
                                             : "signal" + std::to_string(WTERMSIG(status));
            }
        }
        if (now - times.start >= limitMs) {
            if (times.exit < 0) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
                times.exit = nowMs();
                exitText = "killed";
            }
            break;
        }
        if (times.exit >= 0 && now - std::max(times.exit, times.lastByte) >= quietMs)
            break;

        if (!input) {
            usleep(1000);
            continue;
        }
        pollfd descriptors[4];
        const int count = snd_rawmidi_poll_descriptors(input, descriptors, 4);
        poll(descriptors, static_cast<nfds_t>(count), 1);
        unsigned char buffer[512];
        for (;;) {
            const ssize_t got = snd_rawmidi_read(input, buffer, sizeof buffer);
            if (got <= 0)
                break;
            times.lastByte = nowMs();
            received.insert(received.end(), buffer, buffer + got);
        }
    }
    if (input)
        snd_rawmidi_close(input);

    std::FILE* out = std::fopen(outPath, "wb");
    if (!out || std::fwrite(received.data(), 1, received.size(), out) != received.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "midi-probe: cannot write %s\n", outPath);
        return 2;
    }
    const bool gotBytes = times.lastByte >= 0;
    std::printf("bytes=%zu status=%s start_to_last_ms=%lld last_to_exit_ms=%lld total_ms=%lld\n", received.size(),
                exitText.c_str(), gotBytes ? times.lastByte - times.start : -1LL,
                gotBytes ? times.exit - times.lastByte : -1LL, times.exit - times.start);
    return 0;
}
