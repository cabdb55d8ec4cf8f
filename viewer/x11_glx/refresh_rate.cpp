#include "viewer/x11_glx/refresh_rate.h"

#include <X11/extensions/Xrandr.h>

#include <cmath>

namespace velmoran {

namespace {

double ModeRate(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan) lines *= 2;
    if (mode.modeFlags & RR_Interlace) lines /= 2;
    if (mode.hTotal == 0 || lines <= 0) return 0;
    return static_cast<double>(mode.dotClock) / (mode.hTotal * lines);
}

double RateOfCrtcAt(Display* display, XRRScreenResources* resources, int x, int y) {
    for (int c = 0; c < resources->ncrtc; ++c) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[c]);
        if (!crtc) continue;
        const bool holds = crtc->mode != None && x >= crtc->x && y >= crtc->y &&
                           x < crtc->x + static_cast<int>(crtc->width) &&
                           y < crtc->y + static_cast<int>(crtc->height);
        const RRMode mode = crtc->mode;
        XRRFreeCrtcInfo(crtc);
        if (!holds) continue;
        for (int m = 0; m < resources->nmode; ++m)
            if (resources->modes[m].id == mode) return ModeRate(resources->modes[m]);
    }
    return 0;
}

}  // namespace

int RefreshRateOf(Display* display, Window window) {
    int event = 0, error = 0;
    if (!XRRQueryExtension(display, &event, &error)) return 0;
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return 0;
    const double rate = RateOfCrtcAt(display, resources, x, y);
    XRRFreeScreenResources(resources);
    return static_cast<int>(std::lround(rate));
}

}  // namespace velmoran
