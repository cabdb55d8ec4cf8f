#include "saver/wayland/output_copy.h"

#include <wayland-client.h>

#include <limits>

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace velmoran::wayland {

namespace {

OutputCopy& Of(void* data) { return *static_cast<OutputCopy*>(data); }

void OnLogicalPosition(void* data, zxdg_output_v1*, int x, int y) { Of(data).Placed(x, y); }
void OnLogicalSize(void* data, zxdg_output_v1*, int width, int height) { Of(data).Sized(width, height); }
void OnDescribed(void*, zxdg_output_v1*) {}
void OnName(void*, zxdg_output_v1*, const char*) {}
void OnDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kDescriptionListener = {&OnLogicalPosition, &OnLogicalSize, &OnDescribed, &OnName,
                                                      &OnDescription};

void OnBuffer(void* data, zwlr_screencopy_frame_v1* frame, std::uint32_t format, std::uint32_t width,
              std::uint32_t height, std::uint32_t stride) {
    Of(data).Offered(format, width, height, stride);
    // Before version 3 a frame offers one buffer and no end of the offers.
    if (zwlr_screencopy_frame_v1_get_version(frame) < ZWLR_SCREENCOPY_FRAME_V1_BUFFER_DONE_SINCE_VERSION)
        Of(data).AllOffered();
}
void OnFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags) {
    Of(data).Flagged(flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT);
}
void OnReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) { Of(data).Ready(); }
void OnFailed(void* data, zwlr_screencopy_frame_v1*) { Of(data).Refused(); }
void OnDamage(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void OnDmabuf(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {}
void OnBufferDone(void* data, zwlr_screencopy_frame_v1*) { Of(data).AllOffered(); }
const zwlr_screencopy_frame_v1_listener kFrameListener = {&OnBuffer, &OnFlags,  &OnReady,     &OnFailed,
                                                          &OnDamage, &OnDmabuf, &OnBufferDone};

std::optional<ShotFormat> ShotFormatOf(std::uint32_t format) {
    switch (format) {
        case WL_SHM_FORMAT_XRGB8888: return ShotFormat::Xrgb8888;
        case WL_SHM_FORMAT_ARGB8888: return ShotFormat::Argb8888;
        case WL_SHM_FORMAT_XBGR8888: return ShotFormat::Xbgr8888;
        case WL_SHM_FORMAT_ABGR8888: return ShotFormat::Abgr8888;
        default: return std::nullopt;
    }
}

bool FitsInt(std::uint32_t value) { return value <= static_cast<std::uint32_t>(std::numeric_limits<int>::max()); }

}  // namespace

OutputCopy::~OutputCopy() {
    if (frame_) zwlr_screencopy_frame_v1_destroy(frame_);
    buffer_.reset();
    if (described_) zxdg_output_v1_destroy(described_);
    if (wl_output_get_version(output_) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output_);
    else
        wl_output_destroy(output_);
}

void OutputCopy::Describe(zxdg_output_manager_v1* manager) {
    described_ = zxdg_output_manager_v1_get_xdg_output(manager, output_);
    zxdg_output_v1_add_listener(described_, &kDescriptionListener, this);
}

void OutputCopy::Copy(zwlr_screencopy_manager_v1* manager, wl_shm* shm) {
    shm_ = shm;
    frame_ = zwlr_screencopy_manager_v1_capture_output(manager, 0, output_);
    zwlr_screencopy_frame_v1_add_listener(frame_, &kFrameListener, this);
}

// The first offer in a format the capture reads.
void OutputCopy::Offered(std::uint32_t format, std::uint32_t width, std::uint32_t height, std::uint32_t stride) {
    if (offer_ || !ShotFormatOf(format) || !FitsInt(width) || !FitsInt(height) || !FitsInt(stride)) return;
    offer_ = Offer{format, static_cast<int>(width), static_cast<int>(height), static_cast<int>(stride)};
}

void OutputCopy::AllOffered() {
    if (state_ != State::Asking) return;
    if (offer_)
        CopyInto(*offer_);
    else
        state_ = State::Failed;
}

void OutputCopy::CopyInto(const Offer& offer) {
    buffer_ = ShmBuffer::Create(shm_, offer.format, offer.width, offer.height, offer.stride);
    if (!buffer_) {
        state_ = State::Failed;
        return;
    }
    zwlr_screencopy_frame_v1_copy(frame_, buffer_->Buffer());
    state_ = State::Copying;
}

OutputShot OutputCopy::Shot() const {
    OutputShot shot = shot_;
    if (!buffer_ || !offer_) return shot;
    shot.bufferWidth = offer_->width;
    shot.bufferHeight = offer_->height;
    shot.stride = static_cast<std::size_t>(offer_->stride);
    shot.format = *ShotFormatOf(offer_->format);
    shot.bytes = buffer_->Bytes();
    return shot;
}

}  // namespace velmoran::wayland
