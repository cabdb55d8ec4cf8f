#include "viewer/bitmap_file.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace velmoran {

namespace {

// Bytes between the read position and the end of the file.
std::optional<std::uint64_t> BytesLeft(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return std::nullopt;
    const long end = std::ftell(file);
    if (end < here || std::fseek(file, here, SEEK_SET) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(end - here);
}

// Reads exactly `count` bytes. A file shorter than that is found out before
// any memory is taken for it, so a header that announces more than the file
// holds costs nothing.
bool ReadExactly(std::FILE* file, std::uint64_t count, std::vector<std::uint8_t>& out) {
    const std::optional<std::uint64_t> left = BytesLeft(file);
    if (!left || *left < count || count > static_cast<std::uint64_t>(out.max_size())) return false;
    out.resize(static_cast<std::size_t>(count));
    return std::fread(out.data(), 1, out.size(), file) == out.size();
}

}  // namespace

bool BitmapFile::ReadRows(int count, std::uint8_t* out) {
    const auto rows = static_cast<std::int64_t>(std::llabs(layout_.height));
    if (!file_ || count < 0 || count > rows - rowsRead_) return false;
    const auto bytes = static_cast<std::size_t>(RowStride24(layout_.width) * static_cast<std::uint64_t>(count));
    if (std::fread(out, 1, bytes, file_.get()) != bytes) return false;
    rowsRead_ += count;
    if (rowsRead_ == rows) file_.reset();
    return true;
}

std::optional<BitmapFile> OpenBitmapFile(const std::string& path) {
    File file = OpenRegularFile(path);
    if (!file) return std::nullopt;

    std::vector<std::uint8_t> header;
    if (!ReadExactly(file.get(), kFileHeaderSize, header)) return std::nullopt;
    std::optional<std::uint32_t> offset = PixelDataOffset(header);
    if (!offset) return std::nullopt;

    if (!ReadExactly(file.get(), *offset - kFileHeaderSize, header)) return std::nullopt;
    std::optional<PixelLayout> layout = ReadPixelLayout(header);
    if (!layout) return std::nullopt;

    // Every byte the header announces must be there before any is read.
    const std::optional<std::uint64_t> left = BytesLeft(file.get());
    if (!left || *left < layout->dataSize) return std::nullopt;
    return BitmapFile(std::move(file), *layout);
}

}  // namespace velmoran
