#ifndef _WIN32
#include "display/gl_window.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

namespace velmoran::testing {

struct GlWindow::Parts {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

GlWindow::GlWindow(int width, int height) : parts_(std::make_unique<Parts>()) {
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    parts_->window = SDL_CreateWindow("velmoran display test", 0, 0, width, height,
                                      SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (!parts_->window) return;
    parts_->context = SDL_GL_CreateContext(parts_->window);
}

GlWindow::~GlWindow() {
    if (parts_->context) SDL_GL_DeleteContext(parts_->context);
    if (parts_->window) SDL_DestroyWindow(parts_->window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool GlWindow::ok() const { return parts_->context && SDL_GL_GetCurrentContext() == parts_->context; }

}  // namespace velmoran::testing
#endif
