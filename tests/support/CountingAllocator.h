#pragma once

#include <cstdint>

// The executable that links CountingAllocator.cpp (the hwd_counting_allocator
// object library) has its global operator new and new[], every replaceable
// form, replaced by versions that count calls.
namespace CountingAllocator {

[[nodiscard]] std::uint64_t allocations() noexcept;

// How many times operator new or new[] ran during action().
template <typename Action>
[[nodiscard]] std::uint64_t allocationsDuring(Action&& action)
{
    const std::uint64_t before = allocations();
    action();
    return allocations() - before;
}

} // namespace CountingAllocator
