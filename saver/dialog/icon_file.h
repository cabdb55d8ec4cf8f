// Reading Windows icon (.ico) and cursor (.cur) files, for toolkits that
// take pictures as plain pixels: the window icon and the link pointer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmoran {

// One picture of the file, top row first, four bytes a pixel: red, green,
// blue, alpha (0 transparent, 255 opaque). A cursor's hot spot is where it
// points; an icon's is (0, 0).
struct IconPicture {
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
    std::vector<std::uint8_t> rgba;
};

// The first picture of an icon or cursor file stored as a device-independent
// bitmap of 1, 4, 8, 24 or 32 bits a pixel with its transparency mask;
// nothing for anything else (other file types, compressed pictures) or for a
// file too short for what its headers claim.
std::optional<IconPicture> DecodeIconFile(std::span<const unsigned char> file);

}  // namespace velmoran
