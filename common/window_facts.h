// The window titles by which the saver and the viewer know each other across
// processes. They are looked up by title only.
#pragma once

namespace velmoran {

// The show's hidden form: the marker of a running show.
inline constexpr const char* kRunFormTitle = "Velmoran_Main";

// The open settings dialog.
inline constexpr const char* kSettingsDialogTitle = "<Velmoran>";

// The viewer's window, which a show watches.
inline constexpr const char* kViewerWindowTitle = "Velmoran_VC";

}  // namespace velmoran
