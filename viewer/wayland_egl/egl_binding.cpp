#include "viewer/wayland_egl/egl_binding.h"

#include <EGL/eglext.h>

#include "common/window_facts.h"

namespace velmoran {

bool OpenEglDisplay(wl_display* connection, EglDisplay& egl) {
    egl.display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, connection, nullptr);
    if (egl.display == EGL_NO_DISPLAY || !eglInitialize(egl.display, nullptr, nullptr)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,     8,              EGL_GREEN_SIZE,      8,
                                 EGL_BLUE_SIZE,    8,              EGL_DEPTH_SIZE,      kViewerDepthBits,
                                 EGL_NONE};
    EGLint count = 0;
    return eglChooseConfig(egl.display, attributes, &egl.config, 1, &count) && count == 1;
}

void CloseEglDisplay(EglDisplay& egl) {
    if (egl.display != EGL_NO_DISPLAY) eglTerminate(egl.display);
    egl.display = EGL_NO_DISPLAY;
}

EglWindow CreateEglWindow(const EglDisplay& egl, wl_surface* surface, int width, int height) {
    EglWindow made;
    made.native = wl_egl_window_create(surface, width, height);
    made.surface = eglCreateWindowSurface(egl.display, egl.config,
                                          reinterpret_cast<EGLNativeWindowType>(made.native), nullptr);
    made.context = eglCreateContext(egl.display, egl.config, EGL_NO_CONTEXT, nullptr);
    if (made.context != EGL_NO_CONTEXT) {
        MakeCurrent(egl, made);
        eglSwapInterval(egl.display, 0);
    }
    return made;
}

void MakeCurrent(const EglDisplay& egl, const EglWindow& window) {
    if (window.context != EGL_NO_CONTEXT) eglMakeCurrent(egl.display, window.surface, window.surface, window.context);
}

void ReleaseEglContext(const EglDisplay& egl, EglWindow& window) {
    eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (window.context != EGL_NO_CONTEXT) eglDestroyContext(egl.display, window.context);
    window.context = EGL_NO_CONTEXT;
}

void DestroyEglWindow(const EglDisplay& egl, EglWindow& window) {
    ReleaseEglContext(egl, window);
    if (window.surface != EGL_NO_SURFACE) eglDestroySurface(egl.display, window.surface);
    if (window.native) wl_egl_window_destroy(window.native);
    window = EglWindow{};
}

}  // namespace velmoran
