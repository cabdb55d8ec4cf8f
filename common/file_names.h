// The names of the product's files, the same on every platform.
#pragma once

namespace velmoran {

// The sphere viewer, which lies beside the saver (an executable, despite its name).
inline constexpr const char* kViewerFileName = "Velmoran.dll";

// The saver's settings file.
inline constexpr const char* kSettingsFileName = "Velmoran.ini";

// The desktop capture the saver writes and the viewer reads.
inline constexpr const char* kCaptureFileName = "Velmoran.bmp";

}  // namespace velmoran
