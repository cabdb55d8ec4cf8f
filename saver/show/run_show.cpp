#include "saver/show/run_show.h"

#include "common/capture_location.h"
#include "saver/backend.h"
#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"
#include "saver/show/run_form.h"

namespace velmoran {

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden,
                 const std::filesystem::path& viewer, std::uint32_t hostWindow) {
    // Without a desktop there is nothing to show on.
    const DisplayDriver& driver = ChosenDisplayDriver();
    if (&driver == &kNullDisplayDriver) return;
    ShowFormWindow window;
    if (!window.Exists()) return;
    ViewerProcess viewerProcess;
    const ShowSeam seam{
        .CaptureScreen = driver.CaptureScreen,
        .ProcessesOfWindowsTitled = driver.ProcessesOfWindowsTitled,
        .ShowPointer = driver.ShowPointer,
        .StartViewer = [&](const std::filesystem::path& program, const std::filesystem::path& capture,
                           std::uint32_t host) { return viewerProcess.Start(program, capture, host); },
        .ViewerExited = [&] { return viewerProcess.Exited(); },
        .ViewerId = [&] { return viewerProcess.Id(); },
        .EndViewer = [&] { viewerProcess.End(); },
        .SetWatchTimer = [&](bool enabled) { window.SetWatchTimer(enabled); },
        .EndShow = [&] { window.End(); },
    };
    Velmoran_S form(settings, viewer, CapturePlaces(SystemPath(CaptureLocation()), CaptureFallbackFolder()),
                    hostWindow, music, runner, seam, pointerHidden);
    form.Form_Load();
    window.RunUntilEnded(form);
}

void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
             std::uint32_t hostWindow) {
    auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    MusicThread runner;
    RunShowForm(settings, music, runner, pointerHidden, SystemPath(places.viewerFile), hostWindow);
    runner.EndProgramIfBusy();
    // The music has stopped with the show. Closing the sound device waits for
    // its driver's thread, a tenth of a second and with some sound servers
    // half a second, and would hold the end of the program; the device closes
    // with the process.
    static_cast<void>(media.release());
}

}  // namespace velmoran
