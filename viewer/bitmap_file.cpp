#include "viewer/bitmap_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace velmoran {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

// The buffer grows only as data arrives, so a header that announces more than
// the file holds costs no more memory than the file itself.
constexpr std::uint64_t kReadChunk = 16 << 20;

bool ReadExactly(std::FILE* file, std::uint64_t count, std::vector<std::uint8_t>& out) {
    out.clear();
    while (out.size() < count) {
        std::size_t chunk = static_cast<std::size_t>(std::min(count - out.size(), kReadChunk));
        std::size_t done = out.size();
        out.resize(done + chunk);
        if (std::fread(out.data() + done, 1, chunk, file) != chunk) return false;
    }
    return true;
}

}  // namespace

std::optional<BitmapImage> ReadBitmapFile(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
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
