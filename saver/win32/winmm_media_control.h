// The media facilities of Windows: the media control interface's command
// strings and the wave player of winmm, passed through as they are.
#pragma once

#include "saver/music/media_control.h"

namespace velmoran {

class WinmmMediaControl final : public MediaControl {
public:
    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override;
    int WaveOutputDevices() override;
    void StartLoopingWave(const char* name) override;
    void StopWave() override;
};

}  // namespace velmoran
