#include "viewer/bitmap_file.h"

#include <cstdio>

#include "common/safe_files.h"

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
template <class Bytes>
bool ReadExactly(std::FILE* file, std::uint64_t count, Bytes& out) {
    const std::optional<std::uint64_t> left = BytesLeft(file);
    if (!left || *left < count || count > static_cast<std::uint64_t>(out.max_size())) return false;
    out.resize(static_cast<std::size_t>(count));
    return std::fread(out.data(), 1, out.size(), file) == out.size();
}

}  // namespace

std::optional<BitmapImage> ReadBitmapFile(const std::string& path) {
    File file = OpenRegularFile(path);
    if (!file) return std::nullopt;

    std::vector<std::uint8_t> header;
    if (!ReadExactly(file.get(), kFileHeaderSize, header)) return std::nullopt;
    std::optional<std::uint32_t> offset = PixelDataOffset(header);
    if (!offset) return std::nullopt;

    if (!ReadExactly(file.get(), *offset - kFileHeaderSize, header)) return std::nullopt;
    std::optional<PixelLayout> layout = ReadPixelLayout(header);
    if (!layout) return std::nullopt;

    BitmapImage image{*layout, {}};
    if (!ReadExactly(file.get(), layout->dataSize, image.pixels)) return std::nullopt;
    return image;
}

}  // namespace velmoran
