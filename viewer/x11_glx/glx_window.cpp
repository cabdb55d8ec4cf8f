#include "viewer/x11_glx/glx_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>

#include "common/window_facts.h"

namespace velmoran {

namespace {

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

// GLX lists the deepest depth buffers first; the viewer's is exactly 16 bits
// where the display has one, and preferably on a TrueColor visual, which
// needs no colour map filled in.
GLXFBConfig ChooseConfig(Display* display, int bitsPerPixel) {
    const int attributes[] = {GLX_X_RENDERABLE, True,      GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,   GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,     GLX_DOUBLEBUFFER, True,      GLX_BUFFER_SIZE, bitsPerPixel,
                              GLX_DEPTH_SIZE,   kViewerDepthBits, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    if (!configs) return nullptr;
    GLXFBConfig chosen = nullptr;
    int best = -1;
    for (int i = 0; i < count; ++i) {
        const int score = (ConfigAttribute(display, configs[i], GLX_DEPTH_SIZE) == kViewerDepthBits ? 2 : 0) +
                          (ConfigAttribute(display, configs[i], GLX_X_VISUAL_TYPE) == GLX_TRUE_COLOR ? 1 : 0);
        if (score > best) {
            best = score;
            chosen = configs[i];
        }
    }
    XFree(configs);
    return chosen;
}

void SetUtf8Property(Display* display, Window window, const char* name, const char* text) {
    XChangeProperty(display, window, XInternAtom(display, name, False), XInternAtom(display, "UTF8_STRING", False),
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                    static_cast<int>(std::strlen(text)));
}

void SetCardinals(Display* display, Window window, const char* name, Atom type, const long* values, int count) {
    XChangeProperty(display, window, XInternAtom(display, name, False), type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

// Title and class, by which the saver and window managers know it; its
// process and machine, by which the saver tells its own viewer; a fixed
// size and place; no frame; closing asked for as a message.
void Describe(Display* display, Window window, const ViewerWindowPlace& place) {
    XStoreName(display, window, kViewerWindowTitle);
    SetUtf8Property(display, window, "_NET_WM_NAME", kViewerWindowTitle);
    XClassHint classHint = {const_cast<char*>(kViewerWindowTitle), const_cast<char*>(kViewerWindowTitle)};
    XSizeHints sizeHints = {};
    sizeHints.flags = USPosition | PMinSize | PMaxSize;
    sizeHints.min_width = sizeHints.max_width = place.width;
    sizeHints.min_height = sizeHints.max_height = place.height;
    XWMHints wmHints = {};
    wmHints.flags = InputHint | StateHint;
    wmHints.input = True;
    wmHints.initial_state = NormalState;
    XSetWMProperties(display, window, nullptr, nullptr, nullptr, 0, &sizeHints, &wmHints, &classHint);
    const long pid = getpid();
    SetCardinals(display, window, "_NET_WM_PID", XA_CARDINAL, &pid, 1);
    const long noDecorations[5] = {2, 0, 0, 0, 0};  // flags: decorations; decorations: none
    const Atom motifHints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    SetCardinals(display, window, "_MOTIF_WM_HINTS", motifHints, noDecorations, 5);
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closeRequest, 1);
}

bool HasWindowManager(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                          &type, &format, &count, &remaining, &data) == Success &&
                       count == 1;
    if (data) XFree(data);
    return found;
}

Bool IsMapNotify(Display*, XEvent* event, XPointer window) {
    return event->type == MapNotify && event->xmap.window == *reinterpret_cast<Window*>(window);
}

}  // namespace

std::optional<GlxWindow> CreateGlxWindow(Display* display, const ViewerWindowPlace& place) {
    const int bitsPerPixel = DefaultDepth(display, DefaultScreen(display));
    GLXFBConfig config = ChooseConfig(display, bitsPerPixel);
    XVisualInfo* visual = config ? glXGetVisualFromFBConfig(display, config) : nullptr;
    if (!visual) return std::nullopt;
    const Window parent = place.host != None ? place.host : RootWindow(display, visual->screen);
    // The visual may differ from the parent's, even in depth: the window then
    // needs a colour map and a border of its own.
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, parent, visual->visual, AllocNone);
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask;
    GlxWindow made;
    made.visual = visual->visualid;
    made.hosted = place.host != None;
    made.bitsPerPixel = bitsPerPixel;
    made.window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(place.width),
                                static_cast<unsigned>(place.height), 0, visual->depth, InputOutput, visual->visual,
                                CWColormap | CWBorderPixel | CWEventMask, &attributes);
    XFree(visual);
    Describe(display, made.window, place);
    // Without a context the window still shows, and the show still ends as
    // any other does; it stays empty.
    made.context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    if (made.context) glXMakeCurrent(display, made.window, made.context);
    return made;
}

void ReleaseGlxContext(Display* display, GlxWindow& window) {
    glXMakeCurrent(display, None, nullptr);
    if (window.context) glXDestroyContext(display, window.context);
    window.context = nullptr;
}

void DestroyGlxWindow(Display* display, GlxWindow& window) {
    ReleaseGlxContext(display, window);
    XDestroyWindow(display, window.window);
}

void ShowGlxWindow(Display* display, const GlxWindow& shown) {
    Window window = shown.window;
    XMapRaised(display, window);
    XEvent event;
    XIfEvent(display, &event, &IsMapNotify, reinterpret_cast<XPointer>(&window));
    // In a host window the keyboard is the host program's.
    if (!shown.hosted && !HasWindowManager(display))
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
}

void PresentAtRefresh(Display* display, Window window) {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    using SwapIntervalMesa = int (*)(unsigned);
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    const auto offers = [extensions](const char* name) {
        return extensions && std::strstr(extensions, name) != nullptr;
    };
    if (offers("GLX_EXT_swap_control")) {
        if (auto set = reinterpret_cast<SwapIntervalExt>(
                glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT"))))
            set(display, window, 1);
    } else if (offers("GLX_MESA_swap_control")) {
        if (auto set = reinterpret_cast<SwapIntervalMesa>(
                glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA"))))
            set(1);
    }
}

}  // namespace velmoran
