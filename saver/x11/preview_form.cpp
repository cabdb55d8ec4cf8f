#include "saver/x11/preview_form.h"

#include "saver/preview/preview_form.h"
#include "saver/x11_fltk/display.h"
#include "saver/x11_fltk/preview_window.h"
#include "saver/x11_fltk/x_error_trap.h"

namespace velmoran {

void RunPreviewForm(std::uint32_t host) {
    Display* display = SaverDisplay();
    if (!display) return;
    // The host belongs to another program and may go at any moment; requests
    // that meet a window that has gone fail quietly.
    XErrorTrap trap(display);
    X11PreviewWindow window(display, host);
    Velmoran_R form(window);
    if (form.Embed()) window.RunUntilGone(form);
}

}  // namespace velmoran
