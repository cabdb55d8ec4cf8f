#ifdef _WIN32
#include "display/gl_window.h"

#include <windows.h>

namespace velmoran::testing {

struct GlWindow::Parts {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

namespace {

constexpr const char* kClassName = "VelmoranDisplayTest";

void RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSA c{};
        c.style = CS_OWNDC;
        c.lpfnWndProc = DefWindowProcA;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = kClassName;
        return RegisterClassA(&c) != 0;
    }();
    (void)registered;
}

}  // namespace

GlWindow::GlWindow(int width, int height) : parts_(std::make_unique<Parts>()) {
    RegisterOnce();
    parts_->window = CreateWindowExA(0, kClassName, "velmoran display test",
                                     WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                     width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!parts_->window) return;
    parts_->dc = GetDC(parts_->window);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 16;
    SetPixelFormat(parts_->dc, ChoosePixelFormat(parts_->dc, &pfd), &pfd);
    parts_->context = wglCreateContext(parts_->dc);
    if (parts_->context) wglMakeCurrent(parts_->dc, parts_->context);
}

GlWindow::~GlWindow() {
    wglMakeCurrent(nullptr, nullptr);
    if (parts_->context) wglDeleteContext(parts_->context);
    if (parts_->window) DestroyWindow(parts_->window);
}

bool GlWindow::ok() const { return parts_->context && wglGetCurrentContext() == parts_->context; }

}  // namespace velmoran::testing
#endif
