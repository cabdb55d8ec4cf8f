// A shown window with a current OpenGL context like the viewer's (double
// buffered, 16-bit depth), for tests that need a real GL implementation.
#pragma once

#include <memory>

namespace velmoran::testing {

class GlWindow {
public:
    GlWindow(int width, int height);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    // True when the context exists and is current.
    bool ok() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace velmoran::testing
