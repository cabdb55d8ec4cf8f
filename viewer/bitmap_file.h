// Reads the capture bitmap file: the checked headers, then the pixel rows a
// few at a time, as they are needed.
#pragma once

#include "common/safe_files.h"
#include "viewer/bitmap_header.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace velmoran {

class BitmapFile {
public:
    BitmapFile(File file, PixelLayout layout) : file_(std::move(file)), layout_(layout) {}

    const PixelLayout& layout() const { return layout_; }
    // Reads the next `count` rows (bottom-up rows of blue-green-red, padded
    // to 4 bytes) into `out`. False when the file gives fewer, or holds no
    // more rows. The file is closed once its last row is read.
    bool ReadRows(int count, std::uint8_t* out);

private:
    File file_;
    PixelLayout layout_;
    std::int64_t rowsRead_ = 0;
};

// The bitmap at `path`, ready to read its rows, or nothing when the file
// cannot be opened or is no regular file (a named pipe is never waited on),
// its headers are refused (see bitmap_header.h), or it holds fewer bytes
// than they announce. Extra bytes between the headers and the pixel data are
// skipped.
std::optional<BitmapFile> OpenBitmapFile(const std::string& path);

}  // namespace velmoran
