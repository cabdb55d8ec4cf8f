#include "saver/win32/face_bitmaps.h"

#include <array>
#include <cstring>

#include "saver/controls/face_images.h"

namespace velmoran {
namespace {

// A top-down 24-bit DIB section with the picture's pixels in blue-green-red order.
HBITMAP MakeBitmap(const RgbImage& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const int stride = (picture.width * 3 + 3) & ~3;
    for (int y = 0; y < picture.height; ++y) {
        auto* row = static_cast<unsigned char*>(bits) + std::size_t(y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t rgb = picture.At(x, y);
            row[x * 3] = BYTE(rgb);
            row[x * 3 + 1] = BYTE(rgb >> 8);
            row[x * 3 + 2] = BYTE(rgb >> 16);
        }
    }
    GdiFlush();
    return bitmap;
}

HDC MakeFaceDc(FaceImage image) {
    auto picture = LoadFaceImage(image);
    if (!picture) return nullptr;
    HBITMAP bitmap = MakeBitmap(*picture);
    HDC dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    SelectObject(dc, bitmap);
    return dc;
}

}  // namespace

HDC FaceDc(FaceImage image) {
    static std::array<HDC, kFaceImageCount> dcs = [] {
        std::array<HDC, kFaceImageCount> made{};
        for (int i = 0; i < kFaceImageCount; ++i) made[i] = MakeFaceDc(FaceImage(i));
        return made;
    }();
    return dcs[int(image)];
}

}  // namespace velmoran
