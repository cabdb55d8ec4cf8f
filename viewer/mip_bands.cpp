#include "viewer/mip_bands.h"

#include "viewer/picture_scaling.h"
#include "viewer/source_window.h"

#include <algorithm>
#include <utility>

namespace velmoran {

namespace {

// Rows of a band of a level `stride` bytes a row: even, so that the two rows
// a row of the next level is made of lie in one band.
int BandRows(std::size_t bandBytes, std::size_t stride, int levelHeight) {
    const int rows = static_cast<int>(std::min<std::size_t>(bandBytes / stride, 1 << 30)) & ~1;
    return std::min(std::max(rows, 2), levelHeight);
}

// The levels' bands as their rows come: every finished row of a level is
// halved into the next at once (a pair of rows, or the one row of a level
// one row high), and a full band is handed to the sink.
class LevelBands {
public:
    LevelBands(const std::vector<LevelSize>& sizes, std::size_t bandBytes, const BandSink& sink) : sink_(sink) {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            Level level;
            level.band.level = static_cast<int>(i);
            level.band.size = sizes[i];
            level.stride = LevelStride(sizes[i].width);
            level.bandRows = BandRows(bandBytes, level.stride, sizes[i].height);
            levels_.push_back(std::move(level));
        }
    }

    // Where the next rows of `level` go, and how many of them its band holds.
    std::uint8_t* Slot(std::size_t level) {
        Level& l = levels_[level];
        if (l.band.rows == 0) {
            l.band.firstRow = l.done;
            l.band.rows = std::min(l.bandRows, l.band.size.height - l.done);
            l.band.bgr.resize(l.stride * static_cast<std::size_t>(l.band.rows));
        }
        return Row(l, l.done);
    }
    int RowsLeftInBand(std::size_t level) {
        Slot(level);
        const Level& l = levels_[level];
        return l.band.firstRow + l.band.rows - l.done;
    }

    // The next `count` rows of `level` are written at its slot. False when
    // the sink wants no more.
    bool Commit(std::size_t level, int count) {
        Level& l = levels_[level];
        for (int i = 0; i < count; ++i, ++l.done) {
            if (level + 1 == levels_.size()) continue;
            const bool single = l.band.size.height == 1;
            if (!single && l.done % 2 == 0) continue;  // the first row of a pair
            const std::uint8_t* a = Row(l, single ? l.done : l.done - 1);
            HalveRow(l.band.size, a, Row(l, l.done), Slot(level + 1));
            if (!Commit(level + 1, 1)) return false;
        }
        if (l.done < l.band.firstRow + l.band.rows) return true;
        MipBand full = std::move(l.band);
        l.band = MipBand{full.level, full.size, 0, 0, {}};
        return sink_(std::move(full));
    }

private:
    struct Level {
        MipBand band;  // being filled
        std::size_t stride = 0;
        int bandRows = 0;
        int done = 0;  // rows of the level written
    };

    static std::uint8_t* Row(Level& l, int row) {
        return l.band.bgr.data() + l.stride * static_cast<std::size_t>(row - l.band.firstRow);
    }

    std::vector<Level> levels_;
    const BandSink& sink_;
};

// A picture of the chain's own size is its largest level, row for row.
bool CopyRows(int height, const RowSource& source, LevelBands& bands) {
    for (int row = 0; row < height;) {
        const int count = bands.RowsLeftInBand(0);
        if (!source(count, bands.Slot(0)) || !bands.Commit(0, count)) return false;
        row += count;
    }
    return true;
}

bool ScaleRows(int width, int height, LevelSize top, const RowSource& source, std::size_t bandBytes,
               LevelBands& bands) {
    RowScaler scaler(width, height, top.width, top.height);
    const auto readAtOnce = static_cast<int>(std::min<std::size_t>(bandBytes / LevelStride(width), 1 << 30));
    SourceWindow window(source, width, height, std::max(readAtOnce, scaler.taps()));
    for (int j = 0; j < top.height; ++j) {
        if (!window.Hold(scaler.FirstRow(j), scaler.EndRow(j))) return false;
        scaler.ScaleRow(j, window.Row(scaler.FirstRow(j)), window.stride(), bands.Slot(0));
        if (!bands.Commit(0, 1)) return false;
    }
    return true;
}

}  // namespace

std::size_t MipChainBytes(int width, int height) {
    std::size_t bytes = 0;
    for (const LevelSize size : MipLevelSizes(width, height))
        bytes += LevelStride(size.width) * static_cast<std::size_t>(size.height);
    return bytes;
}

bool BuildMipBands(int width, int height, const RowSource& source, const BandSink& sink, std::size_t bandBytes) {
    const std::vector<LevelSize> sizes = MipLevelSizes(width, height);
    if (sizes.empty()) return true;
    LevelBands bands(sizes, bandBytes, sink);
    if (sizes[0].width == width && sizes[0].height == height) return CopyRows(height, source, bands);
    return ScaleRows(width, height, sizes[0], source, bandBytes, bands);
}

}  // namespace velmoran
