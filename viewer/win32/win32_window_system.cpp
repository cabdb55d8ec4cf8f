#include "viewer/win32/win32_window_system.h"

#include "viewer/win32/pixel_format.h"

namespace velmoran {

void Win32WindowSystem::Attach(HWND window) {
    window_ = window;
    dc_ = GetDC(window);  // the class's own device context, kept
    SetupPixelFormat(dc_);
    context_ = wglCreateContext(dc_);
    wglMakeCurrent(dc_, context_);
}

std::int64_t Win32WindowSystem::CounterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

std::int64_t Win32WindowSystem::Counter() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

void Win32WindowSystem::ReleaseContext() {
    wglMakeCurrent(nullptr, nullptr);
    if (context_) wglDeleteContext(context_);
    context_ = nullptr;
}

void Win32WindowSystem::Present() {
    SwapBuffers(dc_);
    ValidateRect(window_, nullptr);
}

}  // namespace velmoran
