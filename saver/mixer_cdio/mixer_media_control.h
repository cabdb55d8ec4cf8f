// The media facilities on Linux: a back end that understands the media
// control command strings the music player sends and answers them the way
// the media control interface does, with SDL_mixer for sound and libcdio for
// the audio CD. It plays one CD or one music file at a time, besides the
// looping wave sound.
#pragma once

#include <memory>
#include <string>

#include "saver/music/media_control.h"
#include "saver/mci/device.h"
#include "saver/mixer_cdio/mixer_output.h"
#include "saver/mixer_cdio/wave_loop.h"

namespace velmoran {

class MixerMediaControl final : public MediaControl {
public:
    ~MixerMediaControl() override;

    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override;
    int WaveOutputDevices() override;
    void StartLoopingWave(const char* name) override;
    void StopWave() override;

private:
    std::int32_t Execute(const char* command, std::string& reply);
    std::int32_t Open(const mci::Request& request);
    std::int32_t Close(const mci::Request& request);

    MixerOutput mixer_;  // first in, last out: the devices play through it
    std::string name_;   // the open device's name or alias
    std::unique_ptr<MciDevice> device_;
    WaveLoop wave_;
};

}  // namespace velmoran
