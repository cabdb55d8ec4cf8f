// The media facilities on Linux: the media-command interpreter over devices
// of SDL_mixer for sound and libcdio for the audio CD, and the looping wave
// sound beside them.
#pragma once

#include <memory>
#include <string>

#include "saver/mci/interpreter.h"
#include "saver/mixer_cdio/mixer_output.h"
#include "saver/mixer_cdio/wave_loop.h"
#include "saver/music/media_control.h"

namespace velmoran {

class MixerMediaControl final : public MediaControl, private MciDevices {
public:
    MixerMediaControl() = default;
    ~MixerMediaControl() override;
    MixerMediaControl(const MixerMediaControl&) = delete;
    MixerMediaControl& operator=(const MixerMediaControl&) = delete;

    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override;
    int WaveOutputDevices() override;
    void StartLoopingWave(const char* name) override;
    void StopWave() override;

private:
    bool OutputReady() override { return mixer_.Ready(); }
    std::int32_t OpenCd(std::unique_ptr<MciDevice>& device) override;
    std::int32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) override;

    MixerOutput mixer_;  // first in, last out: the devices play through it
    MciInterpreter interpreter_{*this};
    WaveLoop wave_;
};

}  // namespace velmoran
