// The bands of a mipmap chain on their way from the thread that builds them
// to the one that hands them to GL, with a bound on how far the builder may
// run ahead.
#pragma once

#include "viewer/mip_bands.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace velmoran {

class BandQueue {
public:
    // Bands of more than `leadBytes` in all wait before the next is queued
    // (0: none wait).
    void Bound(std::size_t leadBytes);
    // Queues the band, first waiting while the queue holds its bound. False
    // once the taker wants no more: the band is dropped, and the builder may
    // stop.
    bool Push(MipBand&& band);
    // No more bands come; `complete` false when the chain failed part way.
    void Finish(bool complete);
    // The next band, waiting for one; nothing once the queue is finished and
    // every band taken.
    std::optional<MipBand> Pop();
    // Once Pop gives nothing: whether every band of the chain came.
    bool Complete() const;
    // The taker wants no more: the bands held are freed.
    void Abandon();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<MipBand> bands_;
    std::size_t bytes_ = 0;      // of the bands queued
    std::size_t leadBytes_ = 0;  // the bound, 0 for none
    bool finished_ = false;
    bool complete_ = false;
    bool abandoned_ = false;
};

}  // namespace velmoran
