#include "common/capture_location.h"

#include <cstdlib>

#include "common/file_names.h"

namespace velmoran {

namespace {

bool HasText(const char* s) { return s && *s; }

}  // namespace

std::string CaptureLocation(bool forWindows, const EnvLookup& env) {
    if (const char* given = env(kCaptureVariable); HasText(given)) return given;
    if (forWindows) return std::string("C:\\") + kCaptureFileName;
    // Never a fixed name in a world-writable folder such as /tmp.
    if (const char* runtime = env("XDG_RUNTIME_DIR"); HasText(runtime))
        return std::string(runtime) + "/" + kCaptureFileName;
    if (const char* home = env("HOME"); HasText(home))
        return std::string(home) + "/.cache/" + kCaptureFileName;
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

std::vector<std::filesystem::path> CapturePlaces(const std::filesystem::path& location,
                                                 const std::filesystem::path& fallbackFolder) {
    std::vector<std::filesystem::path> places;
    if (!location.empty()) places.push_back(location);
    if (!fallbackFolder.empty()) places.push_back(fallbackFolder / kCaptureFileName);
    return places;
}

}  // namespace velmoran
