// What the push button asks of the window it lives in and of its host form.
#pragma once

#include <cstdint>
#include <string_view>

#include "saver/controls/button_font.h"

namespace velmoran {

// A window as the platform names it (a window handle, a widget), compared
// only for identity; 0 for none.
using WindowRef = std::uintptr_t;

class ControlSite {
public:
    virtual ~ControlSite() = default;

    // The pointer watch: a repeating timer calling TmrMouse_Timer.
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual void SetTimerInterval(int milliseconds) = 0;

    // The window under the pointer's position on screen, the control's own
    // window, and the window of the form holding the control (also when it
    // sits in a container inside that form).
    virtual WindowRef WindowUnderPointer() const = 0;
    virtual WindowRef OwnWindow() const = 0;
    virtual WindowRef HostFormWindow() const = 0;

    // The host form's font, which a control loaded without a stored font uses.
    virtual ButtonFont AmbientFont() const = 0;

    // Tells the host a persisted property changed, so that it saves again.
    virtual void PropertyChanged(std::string_view name) = 0;

    // The control's one event. The host may destroy the control from here.
    virtual void Click() = 0;
};

}  // namespace velmoran
