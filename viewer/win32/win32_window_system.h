// The viewer's window system on Win32: performance counter, counted cursor,
// the window's own device context and its WGL context.
#pragma once

#include <windows.h>

#include "viewer/viewer_program.h"

namespace velmoran {

class Win32WindowSystem : public WindowSystem {
public:
    // On window creation: keeps the window's device context, sets its pixel
    // format and makes a new OpenGL context current on it.
    void Attach(HWND window);

    std::int64_t CounterFrequency() override;
    std::int64_t Counter() override;
    void HideCursor() override { ::ShowCursor(FALSE); }
    void ShowCursor() override { ::ShowCursor(TRUE); }
    void ReleaseContext() override;
    void PostQuit() override { PostQuitMessage(0); }
    void Present() override;
    void FinishDrawing() override;
    void WaitUntil(std::int64_t count) override;
    int RefreshRate() override;
    std::int64_t ProcessorTime() override;

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};

}  // namespace velmoran
