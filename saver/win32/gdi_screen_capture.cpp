#include "saver/win32/gdi_screen_capture.h"

#include <windows.h>

#include <cstdint>

namespace velmoran {

namespace {

// The desktop's device context for as long as the copy takes.
class ScreenDc {
public:
    ScreenDc() : window_(GetDesktopWindow()), dc_(GetDC(window_)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A 24-bit bottom-up DIB section selected into a memory context.
class DibSurface {
public:
    DibSurface(HDC screen, int width, int height) : dc_(CreateCompatibleDC(screen)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~DibSurface() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Ready() const { return previous_ && bits_; }
    HDC dc() const { return dc_; }
    const std::uint8_t* bits() const { return static_cast<const std::uint8_t*>(bits_); }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace

std::optional<ScreenPicture> CaptureDesktop() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return std::nullopt;
    ScreenDc screen;
    if (!screen.get()) return std::nullopt;
    DibSurface surface(screen.get(), width, height);
    if (!surface.Ready()) return std::nullopt;

    // Drawn upside down into a bottom-up DIB, the rows in memory come out top
    // row first: exactly the capture file's order. A mirrored destination
    // includes its origin row, so the copy starts at the last row, height - 1;
    // starting at `height` would lose the screen's top row off the bottom and
    // leave the other end's row unpainted.
    SetStretchBltMode(surface.dc(), COLORONCOLOR);
    if (!StretchBlt(surface.dc(), 0, height - 1, width, -height, screen.get(), 0, 0, width, height, SRCCOPY))
        return std::nullopt;
    GdiFlush();

    ScreenPicture picture{width, height, CaptureRowSize(width), {}};
    picture.bgr.assign(surface.bits(), surface.bits() + picture.stride * static_cast<std::size_t>(height));
    return picture;
}

}  // namespace velmoran
