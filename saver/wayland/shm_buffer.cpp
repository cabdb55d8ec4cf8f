#include "saver/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <limits>

namespace velmoran::wayland {

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, std::uint32_t format, int width, int height,
                                             int stride) {
    if (width <= 0 || height <= 0 || stride <= 0) return nullptr;
    const std::int64_t size = std::int64_t{stride} * height;
    // A pool's size is a 32-bit count.
    if (size > std::numeric_limits<std::int32_t>::max()) return nullptr;
    const int file = memfd_create("velmoran-capture", MFD_CLOEXEC);
    if (file < 0) return nullptr;
    void* memory = MAP_FAILED;
    if (ftruncate(file, size) == 0)
        memory = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (memory == MAP_FAILED) {
        close(file);
        return nullptr;
    }
    // The request carries a copy of the descriptor; the buffer keeps the
    // pool's memory once the pool is gone.
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, static_cast<std::int32_t>(size));
    close(file);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
    wl_shm_pool_destroy(pool);
    return std::unique_ptr<ShmBuffer>(
        new ShmBuffer(buffer, static_cast<std::uint8_t*>(memory), static_cast<std::size_t>(size)));
}

ShmBuffer::~ShmBuffer() {
    wl_buffer_destroy(buffer_);
    munmap(memory_, size_);
}

}  // namespace velmoran::wayland
