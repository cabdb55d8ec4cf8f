// Bitmap files made to order for the loader's tests: a well-formed 24-bit
// bottom-up bitmap by default, with any header field or the length changed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velmoran::testing {

struct BitmapSample {
    std::int32_t width = 8;
    std::int32_t height = 4;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::optional<std::uint32_t> imageSize;   // default: the padded rows' size
    std::uint32_t gap = 0;                    // extra bytes before the pixel data
    std::optional<std::uint32_t> pixelOffset; // default: 14 + 40 + gap
    std::string type = "BM";
    std::optional<std::size_t> length;        // cut the file to this many bytes
};

inline std::size_t PaddedRow(std::int32_t width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

// Blue, green, red of pixel (x, y), y counted from the bottom row.
inline std::uint8_t SampleByte(std::int32_t x, std::int32_t y, int channel) {
    return static_cast<std::uint8_t>(x * 29 + y * 71 + channel * 97 + 13);
}

// The pixel rows of a sample: bottom-up, padded with zeros.
inline std::vector<std::uint8_t> SamplePixels(std::int32_t width, std::int32_t rows) {
    std::vector<std::uint8_t> pixels;
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) pixels.push_back(SampleByte(x, y, c));
        pixels.resize(pixels.size() + PaddedRow(width) - width * 3u, 0);
    }
    return pixels;
}

inline void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}

inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline void PatchInt32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

inline std::vector<std::uint8_t> MakeBitmap(const BitmapSample& s) {
    std::int32_t rows = s.height < 0 ? -s.height : s.height;
    std::vector<std::uint8_t> pixels = SamplePixels(s.width > 0 ? s.width : 0, rows);
    std::uint32_t offset = s.pixelOffset.value_or(14 + 40 + s.gap);
    std::vector<std::uint8_t> b;
    b.push_back(static_cast<std::uint8_t>(s.type[0]));
    b.push_back(static_cast<std::uint8_t>(s.type[1]));
    Put32(b, static_cast<std::uint32_t>(14 + 40 + s.gap + pixels.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(s.width));
    Put32(b, static_cast<std::uint32_t>(s.height));
    Put16(b, 1);
    Put16(b, s.bitsPerPixel);
    Put32(b, s.compression);
    Put32(b, s.imageSize.value_or(static_cast<std::uint32_t>(pixels.size())));
    for (int i = 0; i < 4; ++i) Put32(b, 0);
    b.resize(b.size() + s.gap, 0xEE);
    b.insert(b.end(), pixels.begin(), pixels.end());
    if (s.length) b.resize(*s.length);
    return b;
}

// Repaints the pixel rows at the end of a sample file: `bgr(x, y)` gives the
// blue, green and red of pixel (x, y), y counted from the bottom row.
template <typename Paint>
void Repaint(std::vector<std::uint8_t>& bytes, std::int32_t width, std::int32_t height, Paint bgr) {
    std::size_t row = PaddedRow(width);
    std::size_t at = bytes.size() - row * height;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            auto colour = bgr(x, y);
            for (int c = 0; c < 3; ++c) bytes[at + y * row + x * 3 + c] = colour[c];
        }
}

// Writes `bytes` to a file of the given name in the temporary folder.
inline std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string path = ::testing::TempDir() + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// The loader's cases: each sample file, and whether the reader accepts it.
struct LoaderCase {
    const char* name;
    BitmapSample sample;
    bool accepted;
};

inline void PrintTo(const LoaderCase& c, std::ostream* os) { *os << c.name; }

inline std::vector<LoaderCase> LoaderCases() {
    BitmapSample cut14;
    cut14.length = 13;
    BitmapSample cutHeader;
    cutHeader.length = 40;
    BitmapSample cutPixels;
    cutPixels.length = 14 + 40 + 8 * 4 * 3 - 1;
    BitmapSample notBM;
    notBM.type = "MB";
    BitmapSample lowOffset;
    lowOffset.pixelOffset = 14 + 23;
    BitmapSample bits32;
    bits32.bitsPerPixel = 32;
    BitmapSample bits8;
    bits8.bitsPerPixel = 8;
    BitmapSample rle;
    rle.compression = 1;
    BitmapSample bitfields;
    bitfields.compression = 3;
    BitmapSample smallImage;
    smallImage.imageSize = 8 * 4 * 3 - 1;
    BitmapSample zeroImage;
    zeroImage.imageSize = 0;
    BitmapSample gap;
    gap.gap = 1024;
    BitmapSample padded;
    padded.width = 2;
    padded.height = 2;
    BitmapSample noWidth;
    noWidth.width = 0;
    BitmapSample negativeWidth;
    negativeWidth.width = -8;
    BitmapSample noHeight;
    noHeight.height = 0;
    return {
        {"plain", {}, true},
        {"image_size_zero", zeroImage, true},
        {"gap_before_pixels", gap, true},
        {"padded_rows", padded, true},
        {"shorter_than_file_header", cut14, false},
        {"header_cut_short", cutHeader, false},
        {"pixels_cut_short", cutPixels, false},
        {"not_BM", notBM, false},
        {"offset_inside_header_fields", lowOffset, false},
        {"bits_32", bits32, false},
        {"bits_8", bits8, false},
        {"rle_compressed", rle, false},
        {"bitfields", bitfields, false},
        {"image_size_below_rows", smallImage, false},
        {"width_zero", noWidth, false},
        {"width_negative", negativeWidth, false},
        {"height_zero", noHeight, false},
    };
}

}  // namespace velmoran::testing
