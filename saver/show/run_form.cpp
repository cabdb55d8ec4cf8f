#include "saver/show/run_form.h"

#include <utility>

#include "common/capture_bitmap.h"
#include "common/window_facts.h"
#include "saver/settings/system_places.h"

namespace velmoran {

Velmoran_S::Velmoran_S(const MusicSettings& settings, std::filesystem::path viewer,
                       std::vector<std::filesystem::path> captureTargets, std::uint32_t hostWindow,
                       BackgroundMusic& music, MusicRunner& runner, const ShowSeam& seam, bool pointerHidden,
                       Clock clock)
    : settings_(settings), viewerPath_(std::move(viewer)), captureTargets_(std::move(captureTargets)),
      hostWindow_(hostWindow), music_(music), runner_(runner), seam_(seam), pointerHidden_(pointerHidden),
      clock_(std::move(clock)) {}

MusicFile Velmoran_S::FileKind() const {
    if (settings_.BgmKind != kBgmMusicFile) return MusicFile::Other;
    return MusicFileKind(settings_.BgmFile, SystemCharacterSize);
}

void Velmoran_S::Enable(ShowTimer timer, bool on) {
    timerOn_[static_cast<int>(timer)] = on;
    switch (timer) {
        case ShowTimer::Mp3:
            runner_.SetTimer(timer, on ? std::function<void()>([this] { Timer1_Timer(); }) : nullptr);
            break;
        case ShowTimer::Cd:
            runner_.SetTimer(timer, on ? std::function<void()>([this] { Timer2_Timer(); }) : nullptr);
            break;
        case ShowTimer::Watch:
            seam_.SetWatchTimer(on);
            break;
    }
}

bool Velmoran_S::Enabled(ShowTimer timer) const { return timerOn_[static_cast<int>(timer)]; }

// Writes the capture at the first place that takes it. Earlier captures go
// first: when no place takes the new one, or the screen could not be read,
// the viewer is pointed at the usual place, finds no picture there and shows
// the plain sphere - never a picture of the desktop from another time.
std::filesystem::path Velmoran_S::WriteCapture() {
    if (captureTargets_.empty()) return {};
    for (const auto& target : captureTargets_) DiscardCapture(target);
    if (const auto screen = seam_.CaptureScreen(hostWindow_)) {
        for (const auto& target : captureTargets_)
            if (WriteCaptureBitmap(target, *screen)) return target;
    }
    return captureTargets_.front();
}

void Velmoran_S::StartMusic() {
    if (settings_.BgmKind == kBgmCd) {
        music_.OpenCdAudio();
        Enable(ShowTimer::Cd, true);
        return;
    }
    switch (FileKind()) {
        case MusicFile::Wav:
            music_.StartWav();
            break;
        case MusicFile::Mp3:
            music_.StartMp3();
            Enable(ShowTimer::Mp3, true);  // also when the file did not open
            break;
        case MusicFile::Other:
            break;
    }
}

void Velmoran_S::Form_Load() {
    Enable(ShowTimer::Watch, true);
    const auto capture = WriteCapture();
    viewerStarted_ = seam_.StartViewer(viewerPath_, capture, hostWindow_);
    viewerStartedAt_ = clock_();
    runner_.Post([this] { StartMusic(); });
}

void Velmoran_S::Timer1_Timer() {
    if (!musicEnded_) music_.RepeatMp3();
}

void Velmoran_S::Timer2_Timer() {
    if (musicEnded_) return;
    music_.PollCdAudio();
    // After the first error of the CD device the timer stays off for good.
    // While the device answers the timer is left alone: setting it again
    // would restart its count.
    if (!music_.CdAudioOk()) Enable(ShowTimer::Cd, false);
}

// The window of the viewer this show started, told by its process; a window
// of another program with the same title - a viewer left by an earlier show,
// say - holds no show. By its title alone only where a process is not told:
// the window's, or the viewer's when none was started.
bool Velmoran_S::ViewerWindowShown() {
    const std::optional<ProcessId> viewer = seam_.ViewerId();
    for (const std::optional<ProcessId>& process : seam_.ProcessesOfWindowsTitled(kViewerWindowTitle))
        if (!viewer || !process || *process == *viewer) return true;
    return false;
}

// A viewer that is still starting gets time to show its window; the show ends
// at once only when the window was there before, or the viewer never started
// or has already ended, and with it its windows. A viewer that never showed
// its window in that time is ended with the show.
void Velmoran_S::Timer3_Timer() {
    if (ended_) return;
    const bool exited = viewerStarted_ && seam_.ViewerExited();
    if (!exited && ViewerWindowShown()) {
        viewerSeen_ = true;
        return;
    }
    const bool gaveUp = viewerSeen_ || !viewerStarted_ || exited || clock_() - viewerStartedAt_ >= kViewerStartGrace;
    if (!gaveUp) return;
    Enable(ShowTimer::Watch, false);
    if (viewerStarted_ && !viewerSeen_ && !exited) seam_.EndViewer();
    Form_QueryUnload(UnloadMode::FormCode);
}

void Velmoran_S::Form_QueryUnload(UnloadMode mode) {
    if (ended_) return;
    ended_ = true;
    runner_.Post([this] { StopMusic(); });
    // The viewer ends while the music stops.
    if (mode == UnloadMode::AppWindows) seam_.EndViewer();
    // A media call that does not return leaves the music to the program's end.
    runner_.Finish(kMusicStopGrace);
    if (pointerHidden_) seam_.ShowPointer();
    seam_.EndShow();
}

void Velmoran_S::StopMusic() {
    musicEnded_ = true;
    if (Enabled(ShowTimer::Cd)) {
        Enable(ShowTimer::Cd, false);
        music_.CloseCdAudio();
    }
    switch (FileKind()) {
        case MusicFile::Wav:
            music_.StopWav();
            break;
        case MusicFile::Mp3:
            Enable(ShowTimer::Mp3, false);
            music_.CloseMp3();
            break;
        case MusicFile::Other:
            break;
    }
}

}  // namespace velmoran
