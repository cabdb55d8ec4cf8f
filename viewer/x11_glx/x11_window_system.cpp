#include "viewer/x11_glx/x11_window_system.h"

#include "viewer/posix/clocks.h"
#include "viewer/x11_glx/refresh_rate.h"

namespace velmoran {

namespace {

// A pointer picture of one transparent pixel.
Cursor MakeInvisibleCursor(Display* display, Window window) {
    const char nothing = 0;
    const Pixmap blank = XCreateBitmapFromData(display, window, &nothing, 1, 1);
    XColor black = {};
    const Cursor cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);
    return cursor;
}

}  // namespace

X11WindowSystem::X11WindowSystem(Display* display, GlxWindow& window)
    : display_(display), window_(window), invisible_(MakeInvisibleCursor(display, window.window)) {}

X11WindowSystem::~X11WindowSystem() { XFreeCursor(display_, invisible_); }

std::int64_t X11WindowSystem::CounterFrequency() { return kNanoseconds; }

std::int64_t X11WindowSystem::Counter() { return NanosecondsOf(CLOCK_MONOTONIC); }

// The process's clock counts every thread's time, the GL driver's workers too.
std::int64_t X11WindowSystem::ProcessorTime() { return NanosecondsOf(CLOCK_PROCESS_CPUTIME_ID); }

void X11WindowSystem::HideCursor() { ShowPointer(pointer_.Hide()); }

void X11WindowSystem::ShowCursor() { ShowPointer(pointer_.Show()); }

// Only a change reaches the server: frames hide the pointer at every paint.
void X11WindowSystem::ShowPointer(bool shown) {
    if (shown == pointerShown_) return;
    pointerShown_ = shown;
    if (shown)
        XUndefineCursor(display_, window_.window);
    else
        XDefineCursor(display_, window_.window, invisible_);
    XFlush(display_);
}

void X11WindowSystem::ReleaseContext() { ReleaseGlxContext(display_, window_); }

void X11WindowSystem::Present() { glXSwapBuffers(display_, window_.window); }

void X11WindowSystem::FinishDrawing() { glFinish(); }

void X11WindowSystem::WaitUntil(std::int64_t count) { SleepUntilMonotonic(count); }

int X11WindowSystem::RefreshRate() { return RefreshRateOf(display_, window_.window); }

}  // namespace velmoran
