// The windows by which the saver and the viewer know each other across
// processes, looked up by title only, and the viewer's window as both of its
// shells make it.
#pragma once

namespace velmoran {

// The show's hidden form: the marker of a running show.
inline constexpr const char* kRunFormTitle = "Velmoran_Main";

// The open settings dialog.
inline constexpr const char* kSettingsDialogTitle = "<Velmoran>";

// The viewer's window, which a show watches; also its window class.
inline constexpr const char* kViewerWindowTitle = "Velmoran_VC";

// The viewer's window: its size in pixels at the screen's top-left corner,
// and the bits of its OpenGL depth buffer.
inline constexpr int kViewerWindowWidth = 1024;
inline constexpr int kViewerWindowHeight = 768;
inline constexpr int kViewerDepthBits = 16;

}  // namespace velmoran
