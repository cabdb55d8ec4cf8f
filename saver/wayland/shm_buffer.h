// A wl_shm buffer in memory of the saver's own (an anonymous memory file),
// for the compositor to fill and the saver to read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

struct wl_buffer;
struct wl_shm;

namespace velmoran::wayland {

class ShmBuffer {
public:
    // A buffer of `height` rows `stride` bytes apart in the wl_shm format
    // `format`; nothing when the size does not fit a pool or no memory can
    // be had.
    static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, std::uint32_t format, int width, int height,
                                             int stride);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    wl_buffer* Buffer() const { return buffer_; }
    std::span<const std::uint8_t> Bytes() const { return {memory_, size_}; }

private:
    ShmBuffer(wl_buffer* buffer, std::uint8_t* memory, std::size_t size)
        : buffer_(buffer), memory_(memory), size_(size) {}

    wl_buffer* buffer_;
    std::uint8_t* memory_;
    std::size_t size_;
};

}  // namespace velmoran::wayland
