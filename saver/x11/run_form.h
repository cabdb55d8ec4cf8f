// The show's hidden form on X11: an unmapped window titled "Velmoran_Main",
// FLTK's timers and event loop, and the X facilities the show needs.
#pragma once

#include <filesystem>

#include "saver/background_music.h"
#include "saver/settings.h"

namespace velmoran {

// Runs a show until it ends: captures the screen, starts the viewer beside
// this program and the music, and returns once the viewer's window has gone
// or the hidden form was asked to close. pointerHidden: the start-up hid the
// pointer (on FLTK's display connection), and the end shows it again.
void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, bool pointerHidden);

// The same with the viewer looked for in `programFolder`.
void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, bool pointerHidden,
                 const std::filesystem::path& programFolder);

}  // namespace velmoran
