// The background music of a show: an audio CD (the whole disc, or one track
// over and over), an MP3 file restarted whenever it ends, or a WAV file
// looping in the background. The player has no timer of its own: the show's
// timers call PollCdAudio and RepeatMp3, which is how repeat is done.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "saver/music/background_music.h"
#include "saver/music/media_control.h"
#include "saver/settings/settings.h"

namespace velmoran {

class MusicPlayer final : public BackgroundMusic {
public:
    // Both are borrowed and must outlive the player. The settings are read
    // anew at every call.
    MusicPlayer(MediaControl& media, const MusicSettings& settings);

    void OpenCdAudio() override;
    void PollCdAudio() override;
    bool CdAudioOk() const override { return cdAudioOk_; }
    void CloseCdAudio() override;

    void StartMp3() override;
    void RepeatMp3() override;
    void CloseMp3() override;

    void StartWav() override;
    void StopWav() override;

    // Sends a command and puts its reply, or the error text of its failure,
    // into text. Returns the result code; -1 for an empty command, which is
    // not sent.
    std::int32_t MciCommand(const std::string& command, std::string& text);
    // The reply to a command, or "Error:" followed by the result code.
    std::string MciQuery(const std::string& command);
    // "play <device>" with " from <from>" and " to <to>" where given.
    std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);
    bool IsMp3Playing();

    // The text of the last command sent through MciQuery or MciPlay.
    const std::string& ResultText() const { return resultText_; }

private:
    void Send(const std::string& command);  // no reply wanted, result not examined
    bool KeepCdPlaying();                   // false when the drive reported an error
    bool CdStopped();

    MediaControl& media_;
    const MusicSettings& settings_;
    bool cdAudioOk_ = false;
    std::array<char, 512> reply_{};
    std::array<char, 256> error_{};
    std::array<char, 256> cdMode_{};
    std::array<char, 30> mp3Mode_{};
    std::string resultText_;
};

}  // namespace velmoran
