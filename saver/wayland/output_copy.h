// One output of the layout: where xdg_output places it, and its picture
// through one screen-copy frame into a shm buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "saver/display/output_layout.h"
#include "saver/wayland/shm_buffer.h"

struct wl_output;
struct wl_shm;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_screencopy_manager_v1;
struct zwlr_screencopy_frame_v1;

namespace velmoran::wayland {

class OutputCopy {
public:
    // Takes the bound output over.
    explicit OutputCopy(wl_output* output) : output_(output) {}
    ~OutputCopy();
    OutputCopy(const OutputCopy&) = delete;
    OutputCopy& operator=(const OutputCopy&) = delete;

    // Asks for the output's logical place and size.
    void Describe(zxdg_output_manager_v1* manager);
    // Asks for a frame of the output, filled into a buffer from `shm` once
    // the compositor names one of the formats the capture reads.
    void Copy(zwlr_screencopy_manager_v1* manager, wl_shm* shm);

    bool Finished() const { return state_ == State::Ready || state_ == State::Failed; }
    bool Failed() const { return state_ == State::Failed; }
    // The copied picture, placed; valid while this lives.
    OutputShot Shot() const;

    // The compositor's answers.
    void Placed(int x, int y) {
        shot_.x = x;
        shot_.y = y;
    }
    void Sized(int width, int height) {
        shot_.width = width;
        shot_.height = height;
    }
    void Offered(std::uint32_t format, std::uint32_t width, std::uint32_t height, std::uint32_t stride);
    void AllOffered();
    void Flagged(bool yInverted) { shot_.yInverted = yInverted; }
    void Ready() { state_ = State::Ready; }
    void Refused() { state_ = State::Failed; }

private:
    enum class State { Asking, Copying, Ready, Failed };

    struct Offer {
        std::uint32_t format;
        int width, height, stride;
    };

    void CopyInto(const Offer& offer);

    wl_output* output_;
    zxdg_output_v1* described_ = nullptr;
    zwlr_screencopy_frame_v1* frame_ = nullptr;
    wl_shm* shm_ = nullptr;
    std::optional<Offer> offer_;
    std::unique_ptr<ShmBuffer> buffer_;
    State state_ = State::Asking;
    OutputShot shot_;
};

}  // namespace velmoran::wayland
