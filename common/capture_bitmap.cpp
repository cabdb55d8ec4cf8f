#include "common/capture_bitmap.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <system_error>

namespace velmoran {

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

bool HoldsWholePicture(const ScreenPicture& p) {
    if (p.width <= 0 || p.height <= 0) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(p.width) * 3;
    if (p.stride < rowBytes) return false;
    return p.bgr.size() >= p.stride * static_cast<std::size_t>(p.height - 1) + rowBytes;
}

// A name beside the target that no other writer picks, so that two writers
// never share a half-written file.
std::filesystem::path PartialFileFor(const std::filesystem::path& target) {
    std::random_device random;
    const auto tag = (static_cast<unsigned long long>(random()) << 32) ^ random();
    auto name = target.filename();
    name += ".";
    name += std::to_string(tag);
    name += ".partial";
    return target.parent_path() / name;
}

bool WriteFile(const std::filesystem::path& file, const ScreenPicture& picture) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const auto header = CaptureBitmapHeader(picture.width, picture.height);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));

    // The top row goes first: that is what mirrors the bottom-up layout.
    std::vector<char> row(CaptureRowSize(picture.width), 0);
    const std::size_t pixelBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height && out; ++y) {
        const auto* source = picture.bgr.data() + picture.stride * static_cast<std::size_t>(y);
        std::copy(source, source + pixelBytes, row.begin());
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::size_t CaptureRowSize(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<std::uint8_t> CaptureBitmapHeader(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    const auto imageSize = static_cast<unsigned long long>(CaptureRowSize(width)) * height;
    if (imageSize + kCaptureHeaderSize > std::numeric_limits<std::uint32_t>::max()) return {};

    std::vector<std::uint8_t> h;
    h.reserve(kCaptureHeaderSize);
    h.push_back('B');
    h.push_back('M');
    PutU32(h, static_cast<std::uint32_t>(imageSize + kCaptureHeaderSize));  // file size
    PutU32(h, 0);                                                           // reserved
    PutU32(h, static_cast<std::uint32_t>(kCaptureHeaderSize));              // offset of the pixels
    PutU32(h, static_cast<std::uint32_t>(kBitmapInfoHeaderSize));
    PutU32(h, static_cast<std::uint32_t>(width));
    PutU32(h, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    PutU16(h, 1);                                   // planes
    PutU16(h, 24);                                  // bits per pixel
    PutU32(h, 0);                                   // uncompressed
    PutU32(h, static_cast<std::uint32_t>(imageSize));
    PutU32(h, 0);  // pixels per metre, x: no resolution recorded
    PutU32(h, 0);  // pixels per metre, y
    PutU32(h, 0);  // colours used
    PutU32(h, 0);  // important colours
    return h;
}

bool WriteCaptureBitmap(const std::filesystem::path& target, const ScreenPicture& picture) {
    if (target.empty() || !HoldsWholePicture(picture)) return false;
    if (CaptureBitmapHeader(picture.width, picture.height).empty()) return false;

    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    const auto partial = PartialFileFor(target);
    bool written = WriteFile(partial, picture);
    if (written) {
        std::filesystem::rename(partial, target, ec);
        written = !ec;
    }
    if (!written) std::filesystem::remove(partial, ec);
    return written;
}

}  // namespace velmoran
