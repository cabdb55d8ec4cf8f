#include "viewer/sdl/sdl_window_system.h"

namespace velmoran {

std::int64_t SdlWindowSystem::CounterFrequency() {
    return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
}

std::int64_t SdlWindowSystem::Counter() {
    return static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

void SdlWindowSystem::HideCursor() { SDL_ShowCursor(pointer_.Hide() ? SDL_ENABLE : SDL_DISABLE); }

void SdlWindowSystem::ShowCursor() { SDL_ShowCursor(pointer_.Show() ? SDL_ENABLE : SDL_DISABLE); }

void SdlWindowSystem::ReleaseContext() {
    SDL_GL_MakeCurrent(window_, nullptr);
    if (context_) SDL_GL_DeleteContext(context_);
    context_ = nullptr;
}

void SdlWindowSystem::Present() { SDL_GL_SwapWindow(window_); }

int SdlWindowSystem::RefreshRate() {
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(window_, &mode) != 0) return 0;
    return mode.refresh_rate;
}

}  // namespace velmoran
