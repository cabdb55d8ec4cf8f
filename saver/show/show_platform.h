// What a show asks of the platform it runs on: the screen, the viewer's
// process and window, timers, the pointer and the end of the show.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/capture_bitmap.h"
#include "saver/display/display_driver.h"
#include "saver/show_timers.h"

namespace velmoran {

class ShowPlatform {
public:
    virtual ~ShowPlatform() = default;

    // The whole screen at its full size in pixels; nothing when it cannot be read.
    virtual std::optional<ScreenPicture> CaptureScreen() = 0;

    // Where the capture may be written, best first; the next one is tried
    // when a file cannot be created at one.
    virtual std::vector<std::filesystem::path> CaptureTargets() = 0;

    // Starts the viewer program without waiting for it, telling it where the
    // capture lies. False when no process could be started.
    virtual bool StartViewer(const std::filesystem::path& program, const std::filesystem::path& capture) = 0;

    // The process of each window titled "Velmoran_VC" now - a top-level
    // window, or, in a hack, one inside the host window - one entry a window;
    // nothing for a window whose process is not told.
    virtual std::vector<std::optional<ProcessId>> ViewerWindowProcesses() = 0;

    // The id of the viewer process started by StartViewer; nothing when
    // none was started.
    virtual std::optional<ProcessId> ViewerProcessId() = 0;

    // Whether the viewer process started by StartViewer has ended.
    virtual bool ViewerExited() = 0;

    // Ends the viewer process: asked first, then, after kViewerEndGrace,
    // outright. Returns once it has gone.
    virtual void EndViewer() = 0;

    // Switches the watch timer (Timer3) on or off; while on it ticks at its
    // interval on the form's thread, never while another handler runs.
    virtual void SetWatchTimer(bool enabled) = 0;

    // Shows the pointer that the start-up hid.
    virtual void ShowPointer() = 0;

    // Ends the show: no handler runs after this and the form goes away.
    virtual void EndShow() = 0;
};

}  // namespace velmoran
