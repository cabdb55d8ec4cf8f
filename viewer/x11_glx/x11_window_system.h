// The viewer's window system on Xlib and GLX: clock, pointer, GL context,
// buffers and the display's refresh rate.
#pragma once

#include "viewer/pointer_display_count.h"
#include "viewer/viewer_program.h"
#include "viewer/x11_glx/glx_window.h"

namespace velmoran {

class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem(Display* display, GlxWindow& window);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::int64_t CounterFrequency() override;
    std::int64_t Counter() override;
    void HideCursor() override;
    void ShowCursor() override;
    void ReleaseContext() override;
    void PostQuit() override { quitting_ = true; }
    void Present() override;
    void FinishDrawing() override;
    void WaitUntil(std::int64_t count) override;
    int RefreshRate() override;
    std::int64_t ProcessorTime() override;

    bool quitting() const { return quitting_; }

private:
    void ShowPointer(bool shown);

    Display* display_;
    GlxWindow& window_;
    Cursor invisible_ = None;
    bool quitting_ = false;
    // X shows or hides a window's pointer; the program counts its hides and shows.
    PointerDisplayCount pointer_;
    bool pointerShown_ = true;
};

}  // namespace velmoran
