#include "common/capture_location.h"

#include <cstdlib>

namespace velmoran {

namespace {

bool HasText(const char* s) { return s && *s; }

}  // namespace

std::string CaptureLocation(bool forWindows, const EnvLookup& env) {
    if (const char* given = env(kCaptureVariable); HasText(given)) return given;
    if (forWindows) return "C:\\Velmoran.bmp";
    // Never a fixed name in a world-writable folder such as /tmp.
    if (const char* runtime = env("XDG_RUNTIME_DIR"); HasText(runtime))
        return std::string(runtime) + "/Velmoran.bmp";
    if (const char* home = env("HOME"); HasText(home))
        return std::string(home) + "/.cache/Velmoran.bmp";
    return {};
}

std::string CaptureLocation() {
#ifdef _WIN32
    constexpr bool kWindows = true;
#else
    constexpr bool kWindows = false;
#endif
    return CaptureLocation(kWindows, [](const char* name) { return std::getenv(name); });
}

}  // namespace velmoran
