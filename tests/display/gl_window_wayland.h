// A shown window of the viewer's Wayland shell with its GL context current:
// a toplevel (or, with no window manager base, an overlay layer surface)
// whose EGL window the shell's own binding makes.
#pragma once

#include <memory>

namespace velmoran::testing {

class WaylandGlWindow {
public:
    // Nullptr when no compositor answers or the surface never comes up.
    static std::unique_ptr<WaylandGlWindow> Open(int width, int height);
    ~WaylandGlWindow();

    bool ok() const;

    struct Parts;
    explicit WaylandGlWindow(std::unique_ptr<Parts> parts);

private:
    std::unique_ptr<Parts> parts_;
};

}  // namespace velmoran::testing
