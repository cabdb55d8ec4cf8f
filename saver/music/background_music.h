// What a show asks of the music player: start the chosen music, keep it going
// from the show's timers, and stop it at the end.
#pragma once

namespace velmoran {

class BackgroundMusic {
public:
    virtual ~BackgroundMusic() = default;

    virtual void OpenCdAudio() = 0;
    virtual void PollCdAudio() = 0;     // one tick of the CD timer
    virtual bool CdAudioOk() const = 0; // false once a poll met an error
    virtual void CloseCdAudio() = 0;

    virtual void StartMp3() = 0;
    virtual void RepeatMp3() = 0;       // one tick of the MP3 timer
    virtual void CloseMp3() = 0;

    virtual void StartWav() = 0;
    virtual void StopWav() = 0;
};

}  // namespace velmoran
