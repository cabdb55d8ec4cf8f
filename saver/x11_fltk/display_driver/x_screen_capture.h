// Photographs the whole screen of an X display, or a window or pixmap of it.
#pragma once

#include <memory>
#include <optional>

#include <X11/Xlib.h>

#include "common/captured_screen.h"

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

// The source's pixels as the server hands them out, made into the capture
// file's rows a band at a time as they are written: the converted picture is
// never whole beside the server's. Nothing when the server does not hand
// them out (errors included: a pixmap that has gone) or their layout cannot
// be read.
std::unique_ptr<CapturedScreen> CaptureImage(Display* display, const PictureSource& source);

// The source's pixels converted at once into a picture of their own, top row
// first, for pictures put together from several; nothing as above.
std::optional<ScreenPicture> CapturePicture(Display* display, const PictureSource& source);

// The root window of the display's default screen; nothing when the server
// does not hand it out.
std::unique_ptr<CapturedScreen> CaptureRootWindow(Display* display);

}  // namespace velmoran
