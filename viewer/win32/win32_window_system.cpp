#include "viewer/win32/win32_window_system.h"

#include "viewer/gl.h"
#include "viewer/win32/pixel_format.h"

namespace velmoran {

namespace {

// Frames are presented at the display's refresh where the driver offers the
// swap interval extension; elsewhere the program paces them itself.
void PresentAtRefresh() {
    using SwapInterval = BOOL(WINAPI*)(int);
    if (auto set = reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT"))))
        set(1);
}

}  // namespace

void Win32WindowSystem::Attach(HWND window) {
    window_ = window;
    dc_ = GetDC(window);  // the class's own device context, kept
    SetupPixelFormat(dc_);
    context_ = wglCreateContext(dc_);
    if (wglMakeCurrent(dc_, context_)) PresentAtRefresh();
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

// Kernel and user time of all the process's threads, in 100 ns units,
// brought to the performance counter's ticks.
std::int64_t Win32WindowSystem::ProcessorTime() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto units = [](const FILETIME& t) {
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    constexpr std::int64_t kUnitsPerSecond = 10'000'000;
    const std::int64_t total = units(kernel) + units(user);
    const std::int64_t frequency = CounterFrequency();
    return total / kUnitsPerSecond * frequency + total % kUnitsPerSecond * frequency / kUnitsPerSecond;
}

void Win32WindowSystem::ReleaseContext() {
    wglMakeCurrent(nullptr, nullptr);
    if (context_) wglDeleteContext(context_);
    context_ = nullptr;
}

// 0 and 1 stand for the hardware's default rate, which is not known here.
int Win32WindowSystem::RefreshRate() {
    const int rate = GetDeviceCaps(dc_, VREFRESH);
    return rate > 1 ? rate : 0;
}

void Win32WindowSystem::FinishDrawing() { glFinish(); }

// Sleep counts whole milliseconds (the viewer's timer period is one): the
// frame is presented within a millisecond of its time.
void Win32WindowSystem::WaitUntil(std::int64_t count) {
    const std::int64_t frequency = CounterFrequency();
    const std::int64_t milliseconds = (count - Counter()) * 1000 / frequency;
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

void Win32WindowSystem::Present() {
    SwapBuffers(dc_);
    ValidateRect(window_, nullptr);
}

}  // namespace velmoran
