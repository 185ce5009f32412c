#pragma once

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace hwd {

// Each front end has its own message loop class of this name; the registry
// holds references only.
class MessageLoop;

// The process-wide list through which a window finds the message loop of its
// thread: pairs of thread id and loop, guarded by one lock that each call holds
// for its whole duration and that never nests with another lock.
class LoopRegistry final {
public:
    // Appends the pair without looking for an earlier one of the same thread.
    void add(std::thread::id thread, MessageLoop& loop);
    // Removes the first pair of this thread, if any.
    void remove(std::thread::id thread);
    // The loop of the first pair of this thread, or nullptr.
    [[nodiscard]] MessageLoop* find(std::thread::id thread) const;

    // The registry of this process, living until the process ends.
    [[nodiscard]] static LoopRegistry& instance();

private:
    mutable std::mutex lock_;
    std::vector<std::pair<std::thread::id, MessageLoop*>> loops_;
};

} // namespace hwd
