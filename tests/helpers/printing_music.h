// A music player for the show probes that plays nothing and prints every
// call it gets, one line each, for a scenario to read.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "saver/background_music.h"
#include "saver/settings.h"

namespace velmoran::probe {

class PrintingMusic : public BackgroundMusic {
public:
    explicit PrintingMusic(bool cdWorks) : cdWorks_(cdWorks) {}
    void OpenCdAudio() override { Say("OpenCdAudio"); }
    void PollCdAudio() override { Say("PollCdAudio"); }
    bool CdAudioOk() const override { return cdWorks_; }
    void CloseCdAudio() override { Say("CloseCdAudio"); }
    void StartMp3() override { Say("StartMp3"); }
    void RepeatMp3() override { Say("RepeatMp3"); }
    void CloseMp3() override { Say("CloseMp3"); }
    void StartWav() override { Say("StartWav"); }
    void StopWav() override { Say("StopWav"); }

    static void Say(const char* line) {
        std::printf("%s\n", line);
        std::fflush(stdout);
    }

private:
    bool cdWorks_;
};

// show_probe <folder> <BgmKind> <BgmFile> <S|-> [cd-fails]: the folder holds
// the viewer; "S" runs the show as the /s switch does, "-" as an empty
// command line; "cd-fails" makes the CD report an error at its first poll.
struct ProbeArguments {
    std::string folder;
    MusicSettings settings;
    bool pointerHidden = false;
    bool cdWorks = true;
};

inline bool ParseProbeArguments(int argc, char** argv, ProbeArguments& out) {
    if (argc < 5) return false;
    out.folder = argv[1];
    out.settings.BgmKind = static_cast<std::int16_t>(std::atoi(argv[2]));
    out.settings.BgmFile = argv[3];
    out.pointerHidden = std::strcmp(argv[4], "S") == 0;
    out.cdWorks = !(argc > 5 && std::strcmp(argv[5], "cd-fails") == 0);
    return true;
}

}  // namespace velmoran::probe
