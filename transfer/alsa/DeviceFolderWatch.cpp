#include "DeviceFolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace hwd {

namespace {

// The folder itself went (the kernel removes /dev/snd with its last node):
// the watch is over.
bool watchEnded(const char* events, std::size_t size)
{
    for (std::size_t offset = 0; offset + sizeof(inotify_event) <= size;) {
        inotify_event event;
        std::memcpy(&event, events + offset, sizeof event);
        if (event.mask & IN_IGNORED)
            return true;
        offset += sizeof event + event.len;
    }
    return false;
}

} // namespace

std::optional<std::uint64_t> DeviceFolderWatch::version()
{
    if (descriptor_ < 0 && !start())
        return std::nullopt;
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t got = ::read(descriptor_, events, sizeof events);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return version_;
        if (got <= 0) {
            stop();
            return std::nullopt;
        }
        ++version_;
        // The next ask starts another watch, once the folder is back.
        if (watchEnded(events, static_cast<std::size_t>(got))) {
            stop();
            return version_;
        }
    }
}

// A new watch cannot vouch for the time before it: it starts a new version.
bool DeviceFolderWatch::start()
{
    descriptor_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor_ < 0)
        return false;
    constexpr std::uint32_t changes = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB;
    if (::inotify_add_watch(descriptor_, folder_.c_str(), changes) < 0) {
        stop();
        return false;
    }
    ++version_;
    return true;
}

void DeviceFolderWatch::stop() noexcept
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
}

} // namespace hwd
