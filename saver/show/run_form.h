// Velmoran_S, the hidden form that runs a show: it photographs the screen,
// writes the capture, starts the viewer and the music, keeps the music going
// from its timers and ends the show once the viewer's window has gone.
// The form's own thread runs the load, the watch for the viewer and the end;
// every music call and the two music timers run on the music runner, so
// that a media call that blocks holds neither the watch nor the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/captured_screen.h"
#include "saver/display/display_driver.h"

#include "saver/music/background_music.h"
#include "saver/music/music_runner.h"
#include "saver/settings/settings.h"
#include "saver/show/music_file_kind.h"

namespace velmoran {

// How long a viewer that was started and still runs may take to show its window.
inline constexpr std::chrono::seconds kViewerStartGrace{10};
// How long the end waits for the music to stop. A watch tick comes at most
// 500 ms after the viewer's window went; the show ends within a second of it
// even when a media call does not return.
inline constexpr std::chrono::milliseconds kMusicStopGrace{300};
// How long a viewer asked to end may take before it is ended outright. At the
// end of a session, with the music's grace, the show ends within half a second.
inline constexpr std::chrono::milliseconds kViewerEndGrace{150};

// Why the form unloads.
enum class UnloadMode {
    FormControlMenu,  // a close request to the form's window
    FormCode,         // the form's own end: the viewer has gone
    AppWindows,       // the session ends, or XScreenSaver ends its display mode
};

// The entries of the saver's seam that a show drives, under the names the
// seam gives them: the display driver's table, and the members of the show's
// ViewerProcess (Start, Exited, Id, End) and of its ShowFormWindow
// (SetWatchTimer, End) in saver/backend.h. RunShowForm fills them from the
// chosen driver and those two, a unit test with fakes.
struct ShowSeam {
    std::function<std::unique_ptr<CapturedScreen>(std::uint32_t hostWindow)> CaptureScreen;
    std::function<std::vector<std::optional<ProcessId>>(const std::string& title)> ProcessesOfWindowsTitled;
    std::function<void()> ShowPointer;
    std::function<bool(const std::filesystem::path& program, const std::filesystem::path& capture,
                       std::uint32_t hostWindow)>
        StartViewer;
    std::function<bool()> ViewerExited;
    std::function<std::optional<ProcessId>()> ViewerId;
    std::function<void()> EndViewer;
    std::function<void(bool enabled)> SetWatchTimer;
    std::function<void()> EndShow;
};

class Velmoran_S {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // viewer: the viewer program beside the saver. captureTargets: where the
    // capture may be written, best first; the next one is tried when a file
    // cannot be created at one. hostWindow: 0 for the viewer's own window,
    // else the window (X11) the show goes into. pointerHidden: the start-up
    // hid the pointer, so the end shows it again.
    Velmoran_S(const MusicSettings& settings, std::filesystem::path viewer,
               std::vector<std::filesystem::path> captureTargets, std::uint32_t hostWindow, BackgroundMusic& music,
               MusicRunner& runner, const ShowSeam& seam, bool pointerHidden,
               Clock clock = std::chrono::steady_clock::now);

    void Form_Load();
    void Timer1_Timer();  // MP3 repeat, on the music runner
    void Timer2_Timer();  // audio CD keep-alive, on the music runner
    void Timer3_Timer();  // viewer watch
    // The end of the show: the music stopped, the pointer shown again. The
    // viewer is left alone (a close request leaves it on screen), except
    // when the session ends, which ends it too.
    void Form_QueryUnload(UnloadMode mode = UnloadMode::FormCode);

    bool Ended() const { return ended_; }
    const std::filesystem::path& ViewerPath() const { return viewerPath_; }

private:
    MusicFile FileKind() const;
    bool ViewerWindowShown();
    void Enable(ShowTimer timer, bool on);
    bool Enabled(ShowTimer timer) const;
    std::filesystem::path WriteCapture();
    void StartMusic();  // on the music runner, as is StopMusic
    void StopMusic();

    const MusicSettings& settings_;
    const std::filesystem::path viewerPath_;
    const std::vector<std::filesystem::path> captureTargets_;
    const std::uint32_t hostWindow_;
    BackgroundMusic& music_;
    MusicRunner& runner_;
    const ShowSeam& seam_;
    const bool pointerHidden_;
    const Clock clock_;

    // Timer3's entry belongs to the form's thread, the music timers' to the runner.
    bool timerOn_[3] = {};
    bool viewerStarted_ = false;
    bool viewerSeen_ = false;
    std::chrono::steady_clock::time_point viewerStartedAt_{};
    bool ended_ = false;       // the form's thread's
    bool musicEnded_ = false;  // the runner's
};

}  // namespace velmoran
