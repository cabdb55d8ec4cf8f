#include "viewer/sdl/x11_identity.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

namespace velmoran {

namespace {

bool X11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

void SetWindowClass(SDL_Window* window, const char* name) {
    SDL_SysWMinfo info;
    if (!X11Info(window, info)) return;
    XClassHint hint;
    hint.res_name = const_cast<char*>(name);
    hint.res_class = const_cast<char*>(name);
    XSetClassHint(info.info.x11.display, info.info.x11.window, &hint);
}

int WindowVisualId(SDL_Window* window) {
    SDL_SysWMinfo info;
    XWindowAttributes attributes;
    if (!X11Info(window, info) ||
        !XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
        return 0;
    return static_cast<int>(XVisualIDFromVisual(attributes.visual));
}

}  // namespace velmoran
