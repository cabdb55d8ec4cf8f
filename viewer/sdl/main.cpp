// Velmoran.dll on Linux: the sphere viewer's program shell on SDL2. It opens
// the borderless window "Velmoran_VC" at the screen's top-left corner (or in
// the host window the saver names, host_window.h) and hands every event to
// the viewer program, painting at the display's pace, until Escape or the
// window is closed.
#define SDL_MAIN_HANDLED
#include "common/capture_location.h"
#include "common/window_facts.h"
#include "viewer/debug_print.h"
#include "viewer/scene.h"
#include "viewer/sdl/host_window.h"
#include "viewer/sdl/saver_bond.h"
#include "viewer/sdl/sdl_window_system.h"
#include "viewer/sdl/x11_identity.h"
#include "viewer/viewer_program.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using velmoran::kViewerWindowTitle;

static_assert(SDLK_ESCAPE == velmoran::kEscapeKey, "SDL's key codes index the key table");

int DisplayBitsPerPixel() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 24;
    return SDL_BITSPERPIXEL(mode.format);
}

// The viewer reads no text, only the Escape key. Without these Xlib parses
// the locale's table of compose sequences when SDL opens an input method
// (thousands of lines under a UTF-8 locale, a third of SDL's start-up) and
// may connect to an input method server, for keys that are never typed.
void WithoutTextInput() {
    setenv("XCOMPOSEFILE", "/dev/null", 1);
    setenv("XMODIFIERS", "@im=none", 1);
}

// A double-buffered RGBA visual with the display's colour depth and the
// viewer's depth buffer; it is chosen when the window is created.
void RequestPixelFormat() {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, DisplayBitsPerPixel());
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, velmoran::kViewerDepthBits);
}

void ReportPixelFormat(SDL_Window* window) {
    std::string line = velmoran::FormatDebug(velmoran::kPixelFormatLine,
                                             velmoran::WindowVisualId(window), DisplayBitsPerPixel());
    std::fputs(line.c_str(), stderr);
}

void Dispatch(const SDL_Event& event, velmoran::ViewerProgram& program) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        program.OnKey(event.key.keysym.sym, event.type == SDL_KEYDOWN);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            program.OnResize(event.window.data1, event.window.data2);
        else if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            program.OnDestroy();
        break;
    case SDL_QUIT:
        program.OnDestroy();
        break;
    }
}

// Frames are presented at the display's refresh where the driver can wait
// for it; elsewhere the program paces them itself.
void PresentAtRefresh() { SDL_GL_SetSwapInterval(1); }

int RunViewer(velmoran::Scene& scene, SDL_Window* window, SDL_GLContext context) {
    velmoran::SdlWindowSystem system(window, context);
    velmoran::ViewerProgram program(system, scene);

    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    program.OnResize(width, height);
    SDL_ShowWindow(window);
    program.OnPaint();  // before the scene exists: only hides the cursor
    if (!program.Start()) return 0;

    // Events are waited for, not polled, until the next frame is due, so
    // that a key is seen at once and no time is spent spinning.
    while (!system.quitting()) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            Dispatch(event, program);
        } else if (int wait = program.MillisecondsToNextFrame(); wait > 0) {
            if (SDL_WaitEventTimeout(&event, wait)) Dispatch(event, program);
        } else {
            program.OnPaint();
        }
    }
    program.OnQuit();
    return 0;
}

}  // namespace

int main() {
    if (!velmoran::BindToSaver()) return 0;
    const std::optional<velmoran::ViewerWindowPlace> place = velmoran::PlaceOfViewerWindow();
    if (!place) return 0;
    // The picture loads while SDL, the window and the GL context come up.
    velmoran::Scene scene(velmoran::CaptureLocation());
    SDL_SetMainReady();
    // Only a window on the X display can be seen, found by the saver and
    // ended with Escape; without this SDL would fall back to drawing off
    // screen when the display cannot be reached, and never end.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    WithoutTextInput();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 0;
    RequestPixelFormat();
    SDL_Window* window = SDL_CreateWindow(kViewerWindowTitle, 0, 0, place->width, place->height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    int status = 0;
    if (window) {
        velmoran::SetWindowClass(window, kViewerWindowTitle);
        velmoran::MoveIntoHost(window, *place);
        ReportPixelFormat(window);
        SDL_GLContext context = SDL_GL_CreateContext(window);
        if (context) {
            SDL_GL_MakeCurrent(window, context);
            PresentAtRefresh();
        }
        status = RunViewer(scene, window, context);
        SDL_DestroyWindow(window);
    }
    SDL_Quit();
    return status;
}
