// What the X server knows of the viewer's window beyond SDL's reach.
#pragma once

#include <SDL.h>

namespace velmoran {

// Gives the window the class name ("res_name" and "res_class") `name`, so
// that window managers and other programs know it by the same name as its
// title. Call before the window is shown.
void SetWindowClass(SDL_Window* window, const char* name);

// The X visual the window's GL context draws to; 0 when not on X11.
int WindowVisualId(SDL_Window* window);

}  // namespace velmoran
