#pragma once
// Memory for the few large arrays of a big database: the decrypted text, the
// row tables, the sort's keys. Blocks of 2 MiB and more are mapped on their
// own and asked to be backed by huge pages: touching fresh memory a 4 KiB page
// at a time costs a fault per page, which for a database of a hundred
// megabytes is far more than reading and decrypting it.

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

void* AllocateLargeBlock(size_t bytes);
void FreeLargeBlock(void* block, size_t bytes) noexcept;

template <typename T>
struct TLargeAllocator {
    using value_type = T;

    TLargeAllocator() = default;
    template <typename U>
    TLargeAllocator(const TLargeAllocator<U>&) noexcept
    {
    }

    T* allocate(size_t n)
    {
        if (n > static_cast<size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }

    // Elements are left uninitialised where a plain vector would zero them:
    // the arrays are written in full right after they are made.
    template <typename U, typename... TArgs>
    void construct(U* p, TArgs&&... args)
    {
        if constexpr (sizeof...(TArgs) == 0)
            ::new (static_cast<void*>(p)) U;
        else
            ::new (static_cast<void*>(p)) U(std::forward<TArgs>(args)...);
    }

    friend bool operator==(const TLargeAllocator&, const TLargeAllocator&) { return true; }
};

template <typename T>
using TLargeVector = std::vector<T, TLargeAllocator<T>>;

// A block of bytes that owns its memory.
class TLargeBuffer {
public:
    TLargeBuffer() = default;
    explicit TLargeBuffer(size_t size)
        : FData(static_cast<char*>(AllocateLargeBlock(size)))
        , FSize(size)
    {
    }
    ~TLargeBuffer() { FreeLargeBlock(FData, FSize); }
    TLargeBuffer(const TLargeBuffer&) = delete;
    TLargeBuffer& operator=(const TLargeBuffer&) = delete;

    char* Data() { return FData; }
    const char* Data() const { return FData; }
    size_t Size() const { return FSize; }

private:
    char* FData = nullptr;
    size_t FSize = 0;
};
