#include "viewer/source_window.h"

#include <algorithm>
#include <cstring>

namespace velmoran {

SourceWindow::SourceWindow(const RowSource& source, int width, int height, int capacity)
    : source_(source), stride_(LevelStride(width)), height_(height), capacity_(capacity),
      rows_(stride_ * static_cast<std::size_t>(capacity)) {}

bool SourceWindow::Hold(int from, int to) {
    while (first_ + count_ < to) {
        Drop(from);
        const int more = std::min(capacity_ - count_, height_ - (first_ + count_));
        if (more <= 0 || !source_(more, rows_.data() + stride_ * static_cast<std::size_t>(count_))) return false;
        count_ += more;
    }
    Drop(from);
    return true;
}

void SourceWindow::Drop(int from) {
    const int dropped = std::clamp(from - first_, 0, count_);
    if (dropped == 0) return;
    std::memmove(rows_.data(), Row(first_ + dropped), stride_ * static_cast<std::size_t>(count_ - dropped));
    first_ += dropped;
    count_ -= dropped;
}

}  // namespace velmoran
