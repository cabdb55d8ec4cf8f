#include "saver/wayland/private_queue.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>

namespace velmoran::wayland {

PrivateQueue::PrivateQueue(wl_display* display)
    : display_(display),
      queue_(wl_display_create_queue(display)),
      proxy_(static_cast<wl_display*>(wl_proxy_create_wrapper(display))) {
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(proxy_), queue_);
}

PrivateQueue::~PrivateQueue() {
    wl_proxy_wrapper_destroy(proxy_);
    wl_event_queue_destroy(queue_);
}

// One wait for the connection's socket, and what it brought read in; none
// where events already wait in the queue.
bool PrivateQueue::ReadWithin(Deadline deadline) {
    if (wl_display_prepare_read_queue(display_, queue_) != 0) return true;
    wl_display_flush(display_);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd socket = {wl_display_get_fd(display_), POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&socket, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            wl_display_cancel_read(display_);
            return false;
        }
        return wl_display_read_events(display_) == 0;
    }
}

bool PrivateQueue::DispatchUntil(Deadline deadline, const std::function<bool()>& done) {
    if (wl_display_dispatch_queue_pending(display_, queue_) < 0) return false;
    while (!done()) {
        if (!ReadWithin(deadline) || wl_display_dispatch_queue_pending(display_, queue_) < 0) return false;
    }
    return true;
}

namespace {

void OnSynced(void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; }
const wl_callback_listener kSyncListener = {&OnSynced};

}  // namespace

bool PrivateQueue::RoundTrip(Deadline deadline) {
    bool synced = false;
    wl_callback* sync = wl_display_sync(proxy_);
    wl_callback_add_listener(sync, &kSyncListener, &synced);
    const bool answered = DispatchUntil(deadline, [&] { return synced; });
    wl_callback_destroy(sync);
    return answered;
}

}  // namespace velmoran::wayland
