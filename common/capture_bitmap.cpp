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

bool WriteBytes(std::FILE* file, const std::uint8_t* bytes, std::size_t size) {
    return std::fwrite(bytes, 1, size, file) == size;
}

int RowsPerBand(int width, int height, std::size_t bandBytes) {
    const std::size_t rows = std::max<std::size_t>(1, bandBytes / CaptureRowSize(width));
    return static_cast<int>(std::min(rows, static_cast<std::size_t>(height)));
}

// The header, then the rows band by band, each band made just before it is
// written. The file is new and its owner's alone: a picture of the desktop
// is private.
bool WriteFile(const std::filesystem::path& path, const CapturedScreen& screen, std::size_t bandBytes) {
    File file = CreatePrivateFile(path);
    if (!file) return false;
    const int width = screen.Width(), height = screen.Height();
    const auto header = CaptureBitmapHeader(width, height);
    bool written = WriteBytes(file.get(), header.data(), header.size());
    const int bandRows = RowsPerBand(width, height, bandBytes);
    PictureBytes band(CaptureRowSize(width) * static_cast<std::size_t>(bandRows));
    for (int first = 0; written && first < height; first += bandRows) {
        const int count = std::min(bandRows, height - first);
        const auto rows = screen.Rows(first, count, band);
        written = rows.size() == CaptureRowSize(width) * static_cast<std::size_t>(count) &&
                  WriteBytes(file.get(), rows.data(), rows.size());
    }
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace

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

bool WriteCaptureBitmap(const std::filesystem::path& target, const CapturedScreen& screen, std::size_t bandBytes) {
    if (target.empty() || CaptureBitmapHeader(screen.Width(), screen.Height()).empty()) return false;

    std::error_code ec;
    if (target.has_parent_path() && !CreatePrivateFolders(target.parent_path())) return false;
    const auto partial = PartialFileFor(target);
    bool written = WriteFile(partial, screen, bandBytes);
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
