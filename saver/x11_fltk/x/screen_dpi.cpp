#include "saver/x11_fltk/x/screen_dpi.h"

#include <X11/Xresource.h>

#include <cstdlib>

namespace velmoran {

double LogicalDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (!resources) return 0;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database) return 0;
    char* type = nullptr;
    XrmValue value{};
    double dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
        dpi = std::strtod(value.addr, nullptr);
    XrmDestroyDatabase(database);
    return dpi;
}

}  // namespace velmoran
