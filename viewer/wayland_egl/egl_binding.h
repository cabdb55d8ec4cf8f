// Desktop OpenGL on a Wayland connection through EGL: one display, and a
// context and window surface for each of the viewer's surfaces, with a
// 16-bit depth buffer, presenting without waiting (the compositor's frame
// callbacks pace the frames).
#pragma once

#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>

namespace velmoran {

struct EglDisplay {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
};

struct EglWindow {
    wl_egl_window* native = nullptr;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

// False when EGL offers no desktop OpenGL with such a configuration.
bool OpenEglDisplay(wl_display* connection, EglDisplay& egl);
void CloseEglDisplay(EglDisplay& egl);

// The surface's GL window of `width` x `height` buffer pixels, its context
// current; without a context when none can be made (the window stays empty).
EglWindow CreateEglWindow(const EglDisplay& egl, wl_surface* surface, int width, int height);
void MakeCurrent(const EglDisplay& egl, const EglWindow& window);
void ReleaseEglContext(const EglDisplay& egl, EglWindow& window);
void DestroyEglWindow(const EglDisplay& egl, EglWindow& window);

}  // namespace velmoran
