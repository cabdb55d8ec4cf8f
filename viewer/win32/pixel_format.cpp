#include "viewer/win32/pixel_format.h"

#include "common/window_facts.h"
#include "viewer/debug_print.h"

namespace velmoran {

namespace {

PIXELFORMATDESCRIPTOR Describe(HDC dc) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(GetDeviceCaps(dc, BITSPIXEL));
    pfd.cDepthBits = kViewerDepthBits;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

}  // namespace

void SetupPixelFormat(HDC dc) {
    // Completed on the first call and kept for the life of the program.
    static const PIXELFORMATDESCRIPTOR pfd = Describe(dc);
    int index = ChoosePixelFormat(dc, &pfd);
    std::string line = FormatDebug(kPixelFormatLine, index, GetDeviceCaps(dc, BITSPIXEL));
    OutputDebugStringA(line.c_str());
    SetPixelFormat(dc, index, &pfd);
}

}  // namespace velmoran
