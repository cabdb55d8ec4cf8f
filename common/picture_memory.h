// Memory for whole pictures: screen captures, bitmap pixels, mipmap levels.
// Such buffers are tens of megabytes that are written once, right after they
// are made, so they are not cleared first, and large ones are asked for in
// huge pages where the system has them: faulting in fresh memory one small
// page at a time costs more than the work done on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace velmoran {

// Raw memory of at least `bytes`, suitably aligned for any pixel type.
// Throws std::bad_alloc when there is none.
void* AllocatePictureMemory(std::size_t bytes);
void FreePictureMemory(void* memory, std::size_t bytes) noexcept;

// A standard allocator over the functions above whose elements are left
// uninitialised when a container grows without a value given.
template <class T>
struct PictureAllocator {
    using value_type = T;

    PictureAllocator() noexcept = default;
    template <class U>
    PictureAllocator(const PictureAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocatePictureMemory(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreePictureMemory(p, n * sizeof(T)); }

    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(p)) U;
        else
            ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }

    template <class U>
    bool operator==(const PictureAllocator<U>&) const noexcept { return true; }
};

// Bytes of a picture.
using PictureBytes = std::vector<std::uint8_t, PictureAllocator<std::uint8_t>>;

}  // namespace velmoran
