#include "LoopRegistry.h"

#include <algorithm>

namespace hwd {

namespace {

auto firstOf(auto& loops, std::thread::id thread)
{
    return std::find_if(loops.begin(), loops.end(), [thread](const auto& pair) { return pair.first == thread; });
}

} // namespace

void LoopRegistry::add(std::thread::id thread, MessageLoop& loop)
{
    const std::scoped_lock guard(lock_);
    loops_.emplace_back(thread, &loop);
}

void LoopRegistry::remove(std::thread::id thread)
{
    const std::scoped_lock guard(lock_);
    if (const auto pair = firstOf(loops_, thread); pair != loops_.end())
        loops_.erase(pair);
}

MessageLoop* LoopRegistry::find(std::thread::id thread) const
{
    const std::scoped_lock guard(lock_);
    const auto pair = firstOf(loops_, thread);
    return pair != loops_.end() ? pair->second : nullptr;
}

LoopRegistry& LoopRegistry::instance()
{
    static LoopRegistry registry;
    return registry;
}

} // namespace hwd
