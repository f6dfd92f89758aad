#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quirel {

// An allocator for big tables that are read at random (the hash index of a word list): from
// 2 MB up the memory is aligned to 2 MB and offered to the kernel for huge pages, which spares
// most address-translation misses of random lookups. Smaller tables come from the usual heap.
template <typename T> struct LargeTableAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t { 2 } << 20;

    LargeTableAllocator() = default;
    template <typename U> LargeTableAllocator(const LargeTableAllocator<U>&) noexcept { }

    T* allocate(std::size_t count)
    {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* memory = std::aligned_alloc(kHugePage, rounded);
        if (!memory) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        ::madvise(memory, rounded, MADV_HUGEPAGE);
#endif
        return static_cast<T*>(memory);
    }

    void deallocate(T* memory, std::size_t count) noexcept
    {
        if (count * sizeof(T) < kHugePage)
            ::operator delete(memory);
        else
            std::free(memory);
    }

    template <typename U> bool operator==(const LargeTableAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace quirel
