#include "common/capture_bitmap.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <system_error>

#include "common/safe_files.h"

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

// The rows as the file stores them: the top row first (that is what mirrors
// the bottom-up layout), each padded with zeros.
PictureBytes FileRows(const ScreenPicture& picture) {
    const std::size_t rowSize = CaptureRowSize(picture.width);
    const std::size_t pixelBytes = static_cast<std::size_t>(picture.width) * 3;
    PictureBytes rows(rowSize * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const auto* source = picture.bgr.data() + picture.stride * static_cast<std::size_t>(y);
        auto* row = rows.data() + rowSize * static_cast<std::size_t>(y);
        std::copy(source, source + pixelBytes, row);
        std::fill(row + pixelBytes, row + rowSize, std::uint8_t{0});
    }
    return rows;
}

bool InFileLayout(const ScreenPicture& picture) {
    const std::size_t rowSize = CaptureRowSize(picture.width);
    const std::size_t pixelBytes = static_cast<std::size_t>(picture.width) * 3;
    if (picture.stride != rowSize || picture.bgr.size() < rowSize * static_cast<std::size_t>(picture.height))
        return false;
    for (int y = 0; y < picture.height && rowSize > pixelBytes; ++y) {
        const auto* padding = picture.bgr.data() + rowSize * static_cast<std::size_t>(y) + pixelBytes;
        if (std::any_of(padding, padding + (rowSize - pixelBytes), [](std::uint8_t b) { return b != 0; }))
            return false;
    }
    return true;
}

bool WriteBytes(std::FILE* file, const std::uint8_t* bytes, std::size_t size) {
    return std::fwrite(bytes, 1, size, file) == size;
}

// The header, then the rows in one piece. The file is new and its owner's
// alone: a picture of the desktop is private.
bool WriteFile(const std::filesystem::path& path, const ScreenPicture& picture) {
    File file = CreatePrivateFile(path);
    if (!file) return false;
    const auto header = CaptureBitmapHeader(picture.width, picture.height);
    bool written = WriteBytes(file.get(), header.data(), header.size());
    const std::size_t size = CaptureRowSize(picture.width) * static_cast<std::size_t>(picture.height);
    if (InFileLayout(picture)) {
        written = written && WriteBytes(file.get(), picture.bgr.data(), size);
    } else {
        const PictureBytes rows = FileRows(picture);
        written = written && WriteBytes(file.get(), rows.data(), size);
    }
    return std::fclose(file.release()) == 0 && written;
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
    if (target.has_parent_path() && !CreatePrivateFolders(target.parent_path())) return false;
    const auto partial = PartialFileFor(target);
    bool written = WriteFile(partial, picture);
    if (written) {
        std::filesystem::rename(partial, target, ec);
        written = !ec;
    }
    if (!written) std::filesystem::remove(partial, ec);
    return written;
}

void DiscardCapture(const std::filesystem::path& target) {
    std::error_code ec;
    const auto type = std::filesystem::symlink_status(target, ec).type();
    // A folder of that name holds no capture, and the rename would not replace it either.
    if (target.empty() || type == std::filesystem::file_type::not_found ||
        type == std::filesystem::file_type::directory)
        return;
    if (std::filesystem::remove(target, ec)) return;
    // Never through a link: only a file of its own is emptied.
    if (type == std::filesystem::file_type::regular) std::filesystem::resize_file(target, 0, ec);
}

}  // namespace velmoran
