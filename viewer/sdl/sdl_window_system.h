// The viewer's window system on SDL2: clock, cursor, GL context and buffers.
#pragma once

#include "viewer/pointer_display_count.h"
#include "viewer/viewer_program.h"

#include <SDL.h>

namespace velmoran {

class SdlWindowSystem : public WindowSystem {
public:
    SdlWindowSystem(SDL_Window* window, SDL_GLContext context) : window_(window), context_(context) {}

    std::int64_t CounterFrequency() override;
    std::int64_t Counter() override;
    void HideCursor() override;
    void ShowCursor() override;
    void ReleaseContext() override;
    void PostQuit() override { quitting_ = true; }
    void Present() override;
    int RefreshRate() override;

    bool quitting() const { return quitting_; }

private:
    SDL_Window* window_;
    SDL_GLContext context_;
    bool quitting_ = false;
    // SDL's pointer is shown or hidden; the program counts its hides and shows.
    PointerDisplayCount pointer_;
};

}  // namespace velmoran
