#include "store/LargeBlocks.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t HugePage = size_t(2) << 20;

size_t RoundUp(size_t value, size_t to)
{
    return (value + to - 1) / to * to;
}

} // namespace

void* AllocateLargeBlock(size_t bytes)
{
#if defined(__linux__)
    if (bytes >= HugePage) {
        // Mapped with room to start on a huge-page boundary, then trimmed to it.
        const size_t size = RoundUp(bytes, HugePage);
        void* const mapped = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                                    -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<uintptr_t>(mapped);
        const uintptr_t aligned = RoundUp(start, HugePage);
        if (aligned > start)
            ::munmap(mapped, aligned - start);
        if (const uintptr_t end = aligned + size, mappedEnd = start + size + HugePage; mappedEnd > end)
            ::munmap(reinterpret_cast<void*>(end), mappedEnd - end);
        // Only advice: without huge pages the block works the same, just slower to touch.
        ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void FreeLargeBlock(void* block, size_t bytes) noexcept
{
    if (!block)
        return;
#if defined(__linux__)
    if (bytes >= HugePage) {
        ::munmap(block, RoundUp(bytes, HugePage));
        return;
    }
#endif
    ::operator delete(block);
}
