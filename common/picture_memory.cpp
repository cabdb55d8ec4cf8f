#include "common/picture_memory.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace velmoran {

#if defined(__linux__)

namespace {

// The size of a huge page on x86-64 and most other systems. Smaller buffers
// come from the ordinary heap.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t MappedSize(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

// A mapping of whole huge pages, placed on a huge-page boundary, so that the
// kernel can back it with huge pages when it is first touched.
void* AllocatePictureMemory(std::size_t bytes) {
    if (bytes < kHugePage) return ::operator new(bytes);
    const std::size_t size = MappedSize(bytes);
    void* mapped = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(mapped);
    auto* aligned = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) /
                                                    kHugePage * kHugePage);
    if (aligned > start) munmap(start, static_cast<std::size_t>(aligned - start));
    const std::size_t tail = static_cast<std::size_t>(start + size + kHugePage - (aligned + size));
    if (tail > 0) munmap(aligned + size, tail);
    madvise(aligned, size, MADV_HUGEPAGE);  // a hint: without it the pages are small
    return aligned;
}

void FreePictureMemory(void* memory, std::size_t bytes) noexcept {
    if (!memory) return;
    if (bytes < kHugePage)
        ::operator delete(memory);
    else
        munmap(memory, MappedSize(bytes));
}

#else

void* AllocatePictureMemory(std::size_t bytes) { return ::operator new(bytes); }

void FreePictureMemory(void* memory, std::size_t) noexcept { ::operator delete(memory); }

#endif

}  // namespace velmoran
