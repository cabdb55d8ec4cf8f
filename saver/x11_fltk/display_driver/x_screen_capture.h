// Photographs the whole screen of an X display, or a window or pixmap of it.
#pragma once

#include <optional>

#include <X11/Xlib.h>

#include "common/capture_bitmap.h"

namespace velmoran {

// What a picture is read from: a window or a pixmap, its size, and the visual
// and colour map that give its pixels their colours.
struct PictureSource {
    Drawable drawable = None;
    int width = 0;
    int height = 0;
    int depth = 0;
    Visual* visual = nullptr;
    Colormap colormap = None;
};

// The source's pixels, top row first; nothing when the server does not hand
// them out (errors included: a pixmap that has gone).
std::optional<ScreenPicture> CapturePicture(Display* display, const PictureSource& source);

// The root window of the display's default screen, top row first; nothing
// when the server does not hand it out.
std::optional<ScreenPicture> CaptureRootWindow(Display* display);

}  // namespace velmoran
