#include "saver/show/run_form.h"

#include <cctype>
#include <string>
#include <utility>

namespace velmoran {

Velmoran_S::Velmoran_S(const MusicSettings& settings, std::filesystem::path viewer, BackgroundMusic& music,
                       MusicRunner& runner, ShowPlatform& platform, bool pointerHidden, Clock clock)
    : settings_(settings), viewerPath_(std::move(viewer)), music_(music), runner_(runner), platform_(platform),
      pointerHidden_(pointerHidden), clock_(std::move(clock)) {}

// The music file's kind is decided by its last three characters, in any case.
Velmoran_S::MusicFile Velmoran_S::FileKind() const {
    if (settings_.BgmKind != kBgmMusicFile) return MusicFile::Other;
    const std::string& file = settings_.BgmFile;
    std::string tail = file.substr(file.size() < 3 ? 0 : file.size() - 3);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == "WAV") return MusicFile::Wav;
    if (tail == "MP3") return MusicFile::Mp3;
    return MusicFile::Other;
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
            platform_.SetWatchTimer(on);
            break;
    }
}

bool Velmoran_S::Enabled(ShowTimer timer) const { return timerOn_[static_cast<int>(timer)]; }

// Writes the capture at the first place that takes it. When none does, or the
// screen could not be read, the viewer is pointed at the usual place and reads
// whatever lies there.
std::filesystem::path Velmoran_S::WriteCapture() {
    const auto targets = platform_.CaptureTargets();
    if (targets.empty()) return {};
    if (const auto picture = platform_.CaptureScreen()) {
        for (const auto& target : targets)
            if (WriteCaptureBitmap(target, *picture)) return target;
    }
    return targets.front();
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
    viewerStarted_ = platform_.StartViewer(viewerPath_, capture);
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
    Enable(ShowTimer::Cd, music_.CdAudioOk());
}

// A viewer that is still starting gets time to show its window; the show ends
// at once only when the window was there before, or the viewer never started
// or has already ended.
void Velmoran_S::Timer3_Timer() {
    if (ended_) return;
    if (platform_.ViewerWindowExists()) {
        viewerSeen_ = true;
        return;
    }
    const bool gaveUp = viewerSeen_ || !viewerStarted_ || platform_.ViewerExited() ||
                        clock_() - viewerStartedAt_ >= kViewerStartGrace;
    if (!gaveUp) return;
    Enable(ShowTimer::Watch, false);
    Form_QueryUnload(UnloadMode::FormCode);
}

void Velmoran_S::Form_QueryUnload(UnloadMode mode) {
    if (ended_) return;
    ended_ = true;
    runner_.Post([this] { StopMusic(); });
    // The viewer ends while the music stops.
    if (mode == UnloadMode::AppWindows) platform_.EndViewer();
    // A media call that does not return leaves the music to the program's end.
    runner_.Finish(kMusicStopGrace);
    if (pointerHidden_) platform_.ShowPointer();
    platform_.EndShow();
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
