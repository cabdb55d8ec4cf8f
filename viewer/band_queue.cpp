#include "viewer/band_queue.h"

#include <utility>

namespace velmoran {

bool BandQueue::Push(MipBand&& band) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (abandoned_) return false;
        bands_.push_back(std::move(band));
    }
    changed_.notify_one();
    return true;
}

void BandQueue::Finish(bool complete) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        complete_ = complete;
    }
    changed_.notify_one();
}

std::optional<MipBand> BandQueue::Pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return finished_ || !bands_.empty(); });
    if (bands_.empty()) return std::nullopt;
    MipBand band = std::move(bands_.front());
    bands_.pop_front();
    return band;
}

bool BandQueue::Complete() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_ && complete_ && bands_.empty();
}

void BandQueue::Abandon() {
    std::deque<MipBand> dropped;
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
    dropped.swap(bands_);
}

}  // namespace velmoran
