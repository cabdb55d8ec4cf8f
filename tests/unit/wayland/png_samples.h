// PNG files for the tests, written with libpng's own writer in exactly the
// colour type and depth asked for.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

namespace velmoran::wayland {

using Bytes = std::vector<std::uint8_t>;

struct Layout {
    int colourType;
    int bitDepth;
    Bytes palette = {};  // red, green, blue per entry
    Bytes opacity = {};  // tRNS: one alpha per palette entry
};

inline void AppendToBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

// A PNG file of `rows` (each row's samples as the layout stores them).
inline Bytes EncodePng(int width, const std::vector<Bytes>& rows, const Layout& layout) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendToBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(rows.size()),
                 layout.bitDepth, layout.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < layout.palette.size(); i += 3)
        palette.push_back({layout.palette[i], layout.palette[i + 1], layout.palette[i + 2]});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!layout.opacity.empty())
        png_set_tRNS(png, info, layout.opacity.data(), static_cast<int>(layout.opacity.size()), nullptr);
    png_write_info(png, info);
    for (const auto& row : rows) png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

}  // namespace velmoran::wayland
