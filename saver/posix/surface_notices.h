// The saver's end of the pipe on which the viewer tells it that its Wayland
// surface is up and when it has gone (the viewer's surface_notice.h): a
// Wayland surface, unlike an X window, cannot be found by its title. One
// pipe at a time, for the viewer last started; the form's thread alone uses
// it.
#pragma once

#include <optional>

#include "saver/display/display_driver.h"

namespace velmoran {

// A new pipe for the next viewer, the last one's closed: the descriptor of
// its writing end, for the viewer to inherit; -1 when none could be made.
int OpenSurfaceNotices();

// The viewer `viewer` was started with the writing end (or not started at
// all: nothing): this process's copy of it is closed, so that the pipe ends
// when the viewer does.
void SurfaceNoticesHandedTo(std::optional<ProcessId> viewer);

// The reading end while the viewer has not closed the pipe, for a loop to
// wake on when the viewer writes or ends; -1 otherwise.
int SurfaceNoticeReader();

// Takes what the viewer wrote since, without waiting.
void ReadSurfaceNotices();

// The viewer's process while its surface is up: after its "up" line and
// before its "gone" line or its end. Reads what it wrote since first.
std::optional<ProcessId> ViewerSurfaceUp();

}  // namespace velmoran
