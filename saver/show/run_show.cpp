#include "saver/show/run_show.h"

#include "common/capture_location.h"
#include "common/window_facts.h"
#include "saver/backend.h"
#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"
#include "saver/show/run_form.h"

namespace velmoran {

namespace {

// The show's platform: the back end's pieces, and where the capture goes.
class DesktopShow final : public ShowPlatform {
public:
    DesktopShow(ShowFormWindow& window, std::uint32_t hostWindow) : window_(window), hostWindow_(hostWindow) {}

    std::optional<ScreenPicture> CaptureScreen() override { return ChosenDisplayDriver().CaptureScreen(hostWindow_); }
    std::vector<std::filesystem::path> CaptureTargets() override {
        return CapturePlaces(SystemPath(CaptureLocation()), CaptureFallbackFolder());
    }
    bool StartViewer(const std::filesystem::path& program, const std::filesystem::path& capture) override {
        return viewer_.Start(program, capture, hostWindow_);
    }
    std::vector<std::optional<ProcessId>> ViewerWindowProcesses() override {
        return ChosenDisplayDriver().ProcessesOfWindowsTitled(kViewerWindowTitle);
    }
    std::optional<ProcessId> ViewerProcessId() override { return viewer_.Id(); }
    bool ViewerExited() override { return viewer_.Exited(); }
    void EndViewer() override { viewer_.End(); }
    void SetWatchTimer(bool enabled) override { window_.SetWatchTimer(enabled); }
    void ShowPointer() override { ChosenDisplayDriver().ShowPointer(); }
    void EndShow() override { window_.End(); }

private:
    ShowFormWindow& window_;
    const std::uint32_t hostWindow_;
    ViewerProcess viewer_;
};

}  // namespace

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden,
                 const std::filesystem::path& viewer, std::uint32_t hostWindow) {
    ShowFormWindow window;
    if (!window.Exists()) return;
    DesktopShow platform(window, hostWindow);
    Velmoran_S form(settings, viewer, music, runner, platform, pointerHidden);
    form.Form_Load();
    window.RunUntilEnded(form);
}

void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
             std::uint32_t hostWindow) {
    const auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    MusicThread runner;
    RunShowForm(settings, music, runner, pointerHidden, SystemPath(places.viewerFile), hostWindow);
    runner.EndProgramIfBusy();
}

}  // namespace velmoran
