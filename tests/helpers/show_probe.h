// show_probe <folder> <BgmKind> <BgmFile> <S|->: runs a show on the saver's
// hidden form with the real music player, every media command string and
// wave call printed one line each, then prints "show ended". The folder holds
// the viewer; "S" runs the show as the /s switch does (pointer hidden first),
// "-" as an empty command line.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/file_names.h"
#include "saver/backend.h"
#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"
#include "saver/settings/settings.h"
#include "saver/show/run_show.h"

namespace velmoran::probe {

inline void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The platform's own media control, its commands printed on the way.
class PrintingMedia final : public MediaControl {
public:
    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        Say(command);
        return media_->SendString(command, reply, replyLength);
    }
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override {
        return media_->ErrorString(code, text, length);
    }
    int WaveOutputDevices() override { return media_->WaveOutputDevices(); }
    void StartLoopingWave(const char* name) override {
        Say(std::string("wave ") + name);
        media_->StartLoopingWave(name);
    }
    void StopWave() override {
        Say("wave stop");
        media_->StopWave();
    }

private:
    const std::unique_ptr<MediaControl> media_ = CreateMediaControl();
};

inline int ProbeMain(int argc, char** argv) {
    if (argc != 5) return 2;
    MusicSettings settings;
    settings.BgmKind = static_cast<std::int16_t>(std::atoi(argv[2]));
    settings.BgmFile = argv[3];
    const bool pointerHidden = std::strcmp(argv[4], "S") == 0;
    if (pointerHidden) ChosenDisplayDriver().HidePointer();
    PrintingMedia media;
    MusicPlayer music(media, settings);
    MusicThread runner;
    RunShowForm(settings, music, runner, pointerHidden, std::filesystem::path(argv[1]) / kViewerFileName, 0);
    Say("show ended");
    runner.EndProgramIfBusy();
    return 0;
}

}  // namespace velmoran::probe
