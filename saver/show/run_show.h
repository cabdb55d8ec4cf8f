// A show on the desktop: the show's form Velmoran_S on the back end's hidden
// window, with the viewer, the capture and the pointer of the platform.
#pragma once

#include <cstdint>
#include <filesystem>

#include "saver/music/background_music.h"
#include "saver/music/music_runner.h"
#include "saver/settings/saver_places.h"
#include "saver/settings/settings.h"

namespace velmoran {

// Runs the show's form until it ends: captures the screen, starts `viewer`
// and the music, and returns once the viewer's window has gone, the form
// was asked to close or the session ends. Returns at once when the platform
// has no window for it. pointerHidden: the start-up hid the pointer, and the
// end shows it again. hostWindow: 0 for the viewer's own window on the
// desktop, else the window (X11) the show goes into as XScreenSaver's hack.
void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden,
                 const std::filesystem::path& viewer, std::uint32_t hostWindow);

// A whole show with the platform's music, played on a thread of its own.
// When a media call still has not returned at the end, the program ends.
void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
             std::uint32_t hostWindow);

}  // namespace velmoran
