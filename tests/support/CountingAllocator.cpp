#include "CountingAllocator.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> counted{0};

void* allocate(std::size_t size)
{
    counted.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

// Aligned blocks come from malloc too, since the Windows C runtime has no
// aligned_alloc: the block is over-allocated and the address malloc gave is
// kept just below the aligned one, for the matching delete.
void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    counted.fetch_add(1, std::memory_order_relaxed);
    const auto align = static_cast<std::size_t>(alignment);
    void* raw = std::malloc(size + align + sizeof(void*));
    if (raw == nullptr)
        throw std::bad_alloc();
    const auto first = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
    auto* aligned = reinterpret_cast<void**>((first + align - 1) / align * align);
    aligned[-1] = raw;
    return aligned;
}

void releaseAligned(void* block) noexcept
{
    if (block != nullptr)
        std::free(static_cast<void**>(block)[-1]);
}

template <typename Allocate>
void* orNull(Allocate&& allocateBlock) noexcept
{
    try {
        return allocateBlock();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

std::uint64_t CountingAllocator::allocations() noexcept
{
    return counted.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return orNull([size] { return allocate(size); });
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return orNull([size] { return allocate(size); });
}
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return orNull([size, alignment] { return allocateAligned(size, alignment); });
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return orNull([size, alignment] { return allocateAligned(size, alignment); });
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { releaseAligned(block); }
void operator delete[](void* block, std::align_val_t) noexcept { releaseAligned(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { releaseAligned(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { releaseAligned(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned(block); }
