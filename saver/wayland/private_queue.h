// An event queue of the saver's own on the session's connection, dispatched
// with a deadline: a compositor that never answers holds the saver no
// longer than the caller allows.
#pragma once

#include <chrono>
#include <functional>

struct wl_display;
struct wl_event_queue;

namespace velmoran::wayland {

using Deadline = std::chrono::steady_clock::time_point;

class PrivateQueue {
public:
    explicit PrivateQueue(wl_display* display);
    ~PrivateQueue();
    PrivateQueue(const PrivateQueue&) = delete;
    PrivateQueue& operator=(const PrivateQueue&) = delete;

    // The connection as seen from this queue: objects made from it (its
    // registry, a sync) and from them send their events here. Every one of
    // them is destroyed before the queue is.
    wl_display* Proxy() const { return proxy_; }

    // Dispatches this queue's events until `done` holds: false when the
    // deadline passes first or the connection fails.
    bool DispatchUntil(Deadline deadline, const std::function<bool()>& done);

    // Until the compositor has answered everything asked so far.
    bool RoundTrip(Deadline deadline);

private:
    bool ReadWithin(Deadline deadline);

    wl_display* display_;
    wl_event_queue* queue_;
    wl_display* proxy_;
};

}  // namespace velmoran::wayland
