// The viewer's X window with its OpenGL context: a double-buffered RGBA
// visual of the display's colour depth with a 16-bit depth buffer, titled
// and classed "Velmoran_VC", telling its process, without decorations.
#pragma once

#include "viewer/x11_glx/host_window.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <optional>

namespace velmoran {

struct GlxWindow {
    Window window = None;
    GLXContext context = nullptr;
    VisualID visual = 0;
    int bitsPerPixel = 0;  // the display's colour depth
    bool hosted = false;   // a child of another program's window
};

// Creates the window, not yet shown, at its place, with its context current
// (none when the driver makes none); nothing when the display offers no such
// visual.
std::optional<GlxWindow> CreateGlxWindow(Display* display, const ViewerWindowPlace& place);

// Makes no context current and deletes the window's, if it still has one.
void ReleaseGlxContext(Display* display, GlxWindow& window);

// Releases the context and destroys the window.
void DestroyGlxWindow(Display* display, GlxWindow& window);

// Maps the window and waits until it is. A window of its own also takes the
// keyboard where no window manager would give it.
void ShowGlxWindow(Display* display, const GlxWindow& window);

// Presents frames at the display's refresh where the driver can wait for it.
void PresentAtRefresh(Display* display, Window window);

}  // namespace velmoran
