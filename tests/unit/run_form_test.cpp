#include "saver/show/run_form.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using velmoran::MusicSettings;
using velmoran::ProcessId;
using velmoran::ScreenPicture;
using velmoran::ShowTimer;
using velmoran::Velmoran_S;
using Log = std::vector<std::string>;

const fs::path kViewer = fs::path("/opt/velmoran") / "Velmoran.dll";
constexpr ProcessId kViewerProcess = 4321;
constexpr ProcessId kOtherProcess = 1234;

class RecordingMusic : public velmoran::BackgroundMusic {
public:
    explicit RecordingMusic(Log& log) : log_(log) {}
    void OpenCdAudio() override { log_.push_back("OpenCdAudio"); }
    void PollCdAudio() override { log_.push_back("PollCdAudio"); }
    bool CdAudioOk() const override { return cdOk; }
    void CloseCdAudio() override { log_.push_back("CloseCdAudio"); }
    void StartMp3() override { log_.push_back("StartMp3"); }
    void RepeatMp3() override { log_.push_back("RepeatMp3"); }
    void CloseMp3() override { log_.push_back("CloseMp3"); }
    void StartWav() override { log_.push_back("StartWav"); }
    void StopWav() override { log_.push_back("StopWav"); }
    bool cdOk = true;

private:
    Log& log_;
};

class RecordingPlatform {
public:
    explicit RecordingPlatform(Log& log) : log_(log) {}

    velmoran::ShowSeam Seam() {
        return {
            .CaptureScreen = [this](std::uint32_t) -> std::unique_ptr<velmoran::CapturedScreen> {
                log_.push_back("CaptureScreen");
                if (!screenReadable) return nullptr;
                if (!pictureWritable)  // rows missing: nothing is written
                    return std::make_unique<velmoran::HeldPicture>(ScreenPicture{2, 1, 6, {1, 2, 3}});
                return std::make_unique<velmoran::HeldPicture>(ScreenPicture{2, 1, 6, {1, 2, 3, 4, 5, 6}});
            },
            .ProcessesOfWindowsTitled = [this](const std::string& title) {
                std::vector<std::optional<ProcessId>> processes;
                if (title != "Velmoran_VC") return processes;
                processes = otherWindows;
                if (windowExists) processes.push_back(kViewerProcess);
                return processes;
            },
            .ShowPointer = [this] { log_.push_back("ShowPointer"); },
            .StartViewer = [this](const fs::path& program, const fs::path& capture, std::uint32_t) {
                log_.push_back("StartViewer " + program.generic_string());
                startedWith = capture;
                captureOnDiskAtStart = !capture.empty() && fs::exists(capture);
                return viewerStarts;
            },
            .ViewerExited = [this] { return viewerExited; },
            .ViewerId = [this] { return viewerStarts ? std::optional<ProcessId>(kViewerProcess) : std::nullopt; },
            .EndViewer = [this] { log_.push_back("EndViewer"); },
            .SetWatchTimer = [this](bool enabled) { log_.push_back(enabled ? "Timer3 on" : "Timer3 off"); },
            .EndShow = [this] { log_.push_back("EndShow"); },
        };
    }

    std::vector<fs::path> targets;
    bool screenReadable = true;
    bool pictureWritable = true;
    bool viewerStarts = true;
    bool windowExists = true;  // the started viewer's window
    std::vector<std::optional<ProcessId>> otherWindows;  // of other processes, or of untold ones
    bool viewerExited = false;
    fs::path startedWith;
    bool captureOnDiskAtStart = false;

private:
    Log& log_;
};

// Runs every music call at once on the caller's thread, as the form's own
// thread would without a runner; the test calls the timers' handlers itself.
class ImmediateRunner : public velmoran::MusicRunner {
public:
    explicit ImmediateRunner(Log& log) : log_(log) {}
    void Post(std::function<void()> call) override { call(); }
    void SetTimer(ShowTimer timer, std::function<void()> tick) override {
        log_.push_back(std::string(timer == ShowTimer::Mp3 ? "Timer1" : "Timer2") + (tick ? " on" : " off"));
    }
    bool Finish(std::chrono::milliseconds) override { return true; }

private:
    Log& log_;
};

class RunForm : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velmoran-show-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        platform_.targets = {dir_ / "Velmoran.bmp"};
    }
    void TearDown() override { fs::remove_all(dir_); }

    Velmoran_S& Form(std::int16_t kind, std::string file = {}, bool pointerHidden = true) {
        settings_.BgmKind = kind;
        settings_.BgmFile = std::move(file);
        form_.emplace(settings_, kViewer, platform_.targets, 0, music_, runner_, seam_, pointerHidden,
                      [this] { return now_; });
        return *form_;
    }
    // The calls recorded since the last look.
    Log Calls() {
        Log calls = std::move(log_);
        log_.clear();
        return calls;
    }

    fs::path dir_;
    Log log_;
    RecordingMusic music_{log_};
    ImmediateRunner runner_{log_};
    RecordingPlatform platform_{log_};
    const velmoran::ShowSeam seam_ = platform_.Seam();
    MusicSettings settings_;
    std::chrono::steady_clock::time_point now_{};
    std::optional<Velmoran_S> form_;
};

const std::string kStart = "StartViewer /opt/velmoran/Velmoran.dll";

TEST_F(RunForm, WritesTheCaptureBeforeTheViewerStartsAndTellsItWhere) {
    auto& form = Form(velmoran::kBgmNone);
    form.Form_Load();
    EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart}));
    EXPECT_TRUE(platform_.captureOnDiskAtStart);
    EXPECT_EQ(platform_.startedWith, dir_ / "Velmoran.bmp");
    EXPECT_EQ(fs::file_size(dir_ / "Velmoran.bmp"), 54u + 8u);
    EXPECT_EQ(form.ViewerPath(), fs::path("/opt/velmoran") / "Velmoran.dll");
}

TEST_F(RunForm, FallsBackToTheNextPlaceWhenTheFirstCannotBeCreated) {
    std::ofstream(dir_ / "plain-file") << "x";
    platform_.targets = {dir_ / "plain-file" / "Velmoran.bmp", dir_ / "temp" / "Velmoran.bmp"};
    Form(velmoran::kBgmNone).Form_Load();
    EXPECT_EQ(platform_.startedWith, dir_ / "temp" / "Velmoran.bmp");
    EXPECT_TRUE(platform_.captureOnDiskAtStart);
}

// The viewer finds no picture rather than one of the desktop from another
// time: an earlier show's capture goes before the new one is made.
TEST_F(RunForm, AnUnreadableScreenStillStartsTheViewerOnTheUsualFile) {
    platform_.screenReadable = false;
    platform_.targets.push_back(dir_ / "other.bmp");
    std::ofstream(dir_ / "Velmoran.bmp") << "an earlier show's picture";
    Form(velmoran::kBgmNone).Form_Load();
    EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart}));
    EXPECT_EQ(platform_.startedWith, dir_ / "Velmoran.bmp");
    EXPECT_FALSE(platform_.captureOnDiskAtStart);
}

TEST_F(RunForm, ACaptureThatCannotBeWrittenLeavesNoEarlierOne) {
    platform_.pictureWritable = false;
    std::ofstream(dir_ / "Velmoran.bmp") << "an earlier show's picture";
    Form(velmoran::kBgmNone).Form_Load();
    EXPECT_EQ(platform_.startedWith, dir_ / "Velmoran.bmp");
    EXPECT_FALSE(platform_.captureOnDiskAtStart);
}

TEST_F(RunForm, WavPlaysWithoutATimerAndStopsAtTheEnd) {
    auto& form = Form(velmoran::kBgmMusicFile, "/music/Song.wav");
    form.Form_Load();
    EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart, "StartWav"}));
    form.Form_QueryUnload();
    EXPECT_EQ(Calls(), (Log{"StopWav", "ShowPointer", "EndShow"}));
}

TEST_F(RunForm, Mp3InAnyCaseRepeatsEverySecondAndClosesAtTheEnd) {
    auto& form = Form(velmoran::kBgmMusicFile, "C:\\Music\\track.Mp3");
    form.Form_Load();
    EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart, "StartMp3", "Timer1 on"}));
    form.Timer1_Timer();
    EXPECT_EQ(Calls(), (Log{"RepeatMp3"}));
    form.Form_QueryUnload();
    EXPECT_EQ(Calls(), (Log{"Timer1 off", "CloseMp3", "ShowPointer", "EndShow"}));
}

TEST_F(RunForm, OtherFilesAndKindsStartNoMusicAndNoTimer) {
    for (const auto& [kind, file] : {std::pair<std::int16_t, std::string>{velmoran::kBgmMusicFile, "a.mid"},
                                     {velmoran::kBgmMusicFile, "mp"},
                                     {velmoran::kBgmNone, "song.mp3"},
                                     {7, "song.wav"}}) {
        auto& form = Form(kind, file);
        form.Form_Load();
        form.Form_QueryUnload();
        EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart, "ShowPointer", "EndShow"}))
            << kind << " " << file;
    }
}

TEST_F(RunForm, CdPollsEveryTickAndIsClosedAtTheEnd) {
    auto& form = Form(velmoran::kBgmCd);
    form.Form_Load();
    EXPECT_EQ(Calls(), (Log{"Timer3 on", "CaptureScreen", kStart, "OpenCdAudio", "Timer2 on"}));
    form.Timer2_Timer();
    form.Timer2_Timer();
    // The timer is set only when its state changes: each setting restarts its count.
    EXPECT_EQ(Calls(), (Log{"PollCdAudio", "PollCdAudio"}));
    form.Form_QueryUnload();
    EXPECT_EQ(Calls(), (Log{"Timer2 off", "CloseCdAudio", "ShowPointer", "EndShow"}));
}

TEST_F(RunForm, CdWithoutADiscSwitchesItsTimerOffAndSendsNothingAtTheEnd) {
    music_.cdOk = false;
    auto& form = Form(velmoran::kBgmCd);
    form.Form_Load();
    Calls();
    form.Timer2_Timer();
    EXPECT_EQ(Calls(), (Log{"PollCdAudio", "Timer2 off"}));
    form.Form_QueryUnload();
    EXPECT_EQ(Calls(), (Log{"ShowPointer", "EndShow"}));
}

TEST_F(RunForm, EndsAtTheFirstTickWithoutAWindowOnceTheViewerWasSeen) {
    auto& form = Form(velmoran::kBgmMusicFile, "x.wav");
    form.Form_Load();
    form.Timer3_Timer();
    form.Timer3_Timer();
    Calls();
    platform_.windowExists = false;
    form.Timer3_Timer();
    EXPECT_EQ(Calls(), (Log{"Timer3 off", "StopWav", "ShowPointer", "EndShow"}));
    EXPECT_TRUE(form.Ended());
}

TEST_F(RunForm, ASlowViewerGetsTenSecondsToShowItsWindow) {
    platform_.windowExists = false;
    auto& form = Form(velmoran::kBgmMusicFile, "x.wav");
    form.Form_Load();
    Calls();
    for (int tick = 1; tick < 20; ++tick) {
        now_ += 500ms;
        form.Timer3_Timer();
    }
    EXPECT_EQ(Calls(), Log{});
    now_ += 500ms;
    form.Timer3_Timer();
    // A viewer that never showed its window is not left running.
    EXPECT_EQ(Calls(), (Log{"Timer3 off", "EndViewer", "StopWav", "ShowPointer", "EndShow"}));
}

TEST_F(RunForm, AViewerThatComesUpLateIsWatchedFromThenOn) {
    platform_.windowExists = false;
    auto& form = Form(velmoran::kBgmNone);
    form.Form_Load();
    now_ += 3s;
    form.Timer3_Timer();
    platform_.windowExists = true;
    now_ += 20s;  // long past the start's grace
    form.Timer3_Timer();
    EXPECT_FALSE(form.Ended());
    platform_.windowExists = false;
    form.Timer3_Timer();
    EXPECT_TRUE(form.Ended());
}

TEST_F(RunForm, AViewerThatEndedOrNeverStartedEndsTheShowAtTheFirstTick) {
    platform_.windowExists = false;
    platform_.viewerExited = true;
    auto& exited = Form(velmoran::kBgmNone);
    exited.Form_Load();
    exited.Timer3_Timer();
    EXPECT_TRUE(exited.Ended());

    platform_.viewerExited = false;
    platform_.viewerStarts = false;
    auto& neverStarted = Form(velmoran::kBgmNone);
    neverStarted.Form_Load();
    neverStarted.Timer3_Timer();
    EXPECT_TRUE(neverStarted.Ended());
}

// A window of another program with the viewer's title - a lone viewer, one
// left by an earlier show - holds the show neither while its own viewer
// starts nor after its window has gone.
TEST_F(RunForm, WatchesTheWindowOfTheViewerItStartedNotAnyOfThatTitle) {
    platform_.otherWindows = {kOtherProcess};
    platform_.windowExists = false;
    auto& form = Form(velmoran::kBgmNone);
    form.Form_Load();
    Calls();
    now_ += 500ms;
    form.Timer3_Timer();
    EXPECT_FALSE(form.Ended()) << "a starting viewer has its time";
    platform_.windowExists = true;
    form.Timer3_Timer();
    platform_.windowExists = false;
    form.Timer3_Timer();
    EXPECT_EQ(Calls(), (Log{"Timer3 off", "ShowPointer", "EndShow"})) << "the viewer ended untouched";
}

// Where a window's process is not told, its title alone counts, until the
// viewer the show started has ended: its windows have gone with it. Where no
// viewer was started, any window of the title counts.
TEST_F(RunForm, TheTitleAloneCountsWhereNoProcessIsTold) {
    platform_.otherWindows = {std::nullopt};
    platform_.windowExists = false;
    auto& form = Form(velmoran::kBgmNone);
    form.Form_Load();
    now_ += 30s;
    form.Timer3_Timer();
    EXPECT_FALSE(form.Ended());
    platform_.viewerExited = true;
    form.Timer3_Timer();
    EXPECT_TRUE(form.Ended());

    platform_.otherWindows = {kOtherProcess};
    platform_.viewerStarts = false;
    platform_.viewerExited = false;
    auto& noViewer = Form(velmoran::kBgmNone);
    noViewer.Form_Load();
    noViewer.Timer3_Timer();
    EXPECT_FALSE(noViewer.Ended());
    platform_.otherWindows.clear();
    noViewer.Timer3_Timer();
    EXPECT_TRUE(noViewer.Ended());
}

TEST_F(RunForm, ACloseRequestEndsTheShowOnceAndLeavesTheWatchAlone) {
    auto& form = Form(velmoran::kBgmMusicFile, "x.MP3");
    form.Form_Load();
    Calls();
    form.Form_QueryUnload(velmoran::UnloadMode::FormControlMenu);
    EXPECT_EQ(Calls(), (Log{"Timer1 off", "CloseMp3", "ShowPointer", "EndShow"}));
    // Whatever still arrives after the end does nothing.
    form.Form_QueryUnload();
    form.Timer1_Timer();
    form.Timer2_Timer();
    platform_.windowExists = false;
    form.Timer3_Timer();
    EXPECT_EQ(Calls(), Log{});
}

TEST_F(RunForm, TheEndOfTheSessionEndsTheViewerWithTheMusic) {
    using velmoran::UnloadMode;
    auto& form = Form(velmoran::kBgmMusicFile, "x.MP3");
    form.Form_Load();
    Calls();
    form.Form_QueryUnload(UnloadMode::AppWindows);
    EXPECT_EQ(Calls(), (Log{"Timer1 off", "CloseMp3", "EndViewer", "ShowPointer", "EndShow"}));
    form.Form_QueryUnload(UnloadMode::AppWindows);
    EXPECT_EQ(Calls(), Log{});

    // Only the session's end does: a close request or the viewer's own end
    // leave it be.
    for (UnloadMode mode : {UnloadMode::FormControlMenu, UnloadMode::FormCode}) {
        auto& other = Form(velmoran::kBgmNone);
        other.Form_Load();
        Calls();
        other.Form_QueryUnload(mode);
        EXPECT_EQ(Calls(), (Log{"ShowPointer", "EndShow"}));
    }
}

TEST_F(RunForm, ShowsThePointerOnlyWhenTheStartUpHidIt) {
    auto& form = Form(velmoran::kBgmNone, {}, false);
    form.Form_Load();
    Calls();
    platform_.windowExists = false;
    platform_.viewerExited = true;
    form.Timer3_Timer();
    EXPECT_EQ(Calls(), (Log{"Timer3 off", "EndShow"}));
}

// Media whose every call blocks, as a drive spinning up does, until the test
// releases it (or for 3 s at most).
class BlockingMedia : public velmoran::MediaControl {
public:
    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        std::unique_lock lock(mutex_);
        commands_.push_back(command);
        released_.wait_for(lock, 3s, [this] { return open_; });
        if (reply && replyLength > 0) reply[0] = '\0';
        return 0;
    }
    bool ErrorString(std::int32_t, char*, std::uint32_t) override { return false; }
    int WaveOutputDevices() override { return 0; }
    void StartLoopingWave(const char*) override {}
    void StopWave() override {}

    void Release() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        released_.notify_all();
    }
    Log Commands() {
        std::lock_guard lock(mutex_);
        return commands_;
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
    Log commands_;
};

TEST(RunFormOnItsMusicThread, AMediaCallThatBlocksHoldsNeitherTheWatchNorTheEnd) {
    Log log;
    RecordingPlatform platform(log);
    MusicSettings settings;
    settings.BgmKind = velmoran::kBgmCd;
    BlockingMedia media;
    velmoran::MusicPlayer music(media, settings);
    {
        velmoran::MusicThread runner;
        const velmoran::ShowSeam seam = platform.Seam();
        Velmoran_S form(settings, kViewer, platform.targets, 0, music, runner, seam, true);
        form.Form_Load();  // the CD's open blocks on the music thread
        form.Timer3_Timer();
        platform.windowExists = false;
        const auto gone = std::chrono::steady_clock::now();
        form.Timer3_Timer();
        const auto ended = std::chrono::steady_clock::now();
        EXPECT_TRUE(form.Ended());
        EXPECT_LT(ended - gone, 1s);
        EXPECT_EQ(log, (Log{"Timer3 on", kStart, "Timer3 off", "ShowPointer", "EndShow"}));
        media.Release();
        ASSERT_TRUE(runner.Finish(10s));
    }
    // The music's commands went out in their usual order all the same.
    EXPECT_EQ(media.Commands(),
              (Log{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}));
}

}  // namespace
