#include "viewer/band_queue.h"

#include <utility>

namespace velmoran {

void BandQueue::Bound(std::size_t leadBytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    leadBytes_ = leadBytes;
}

bool BandQueue::Push(MipBand&& band) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return abandoned_ || leadBytes_ == 0 || bytes_ < leadBytes_; });
        if (abandoned_) return false;
        bytes_ += band.bgr.size();
        bands_.push_back(std::move(band));
    }
    changed_.notify_all();
    return true;
}

void BandQueue::Finish(bool complete) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        complete_ = complete;
    }
    changed_.notify_all();
}

std::optional<MipBand> BandQueue::Pop() {
    std::optional<MipBand> band;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return finished_ || !bands_.empty(); });
        if (bands_.empty()) return std::nullopt;
        band = std::move(bands_.front());
        bands_.pop_front();
        bytes_ -= band->bgr.size();
    }
    changed_.notify_all();
    return band;
}

bool BandQueue::Complete() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_ && complete_ && bands_.empty();
}

void BandQueue::Abandon() {
    std::deque<MipBand> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        abandoned_ = true;
        dropped.swap(bands_);
        bytes_ = 0;
    }
    changed_.notify_all();
}

}  // namespace velmoran
