// The platform's media facilities as the music player uses them: media
// control command strings, the count of wave output devices and a background
// wave player. Each back end supplies one (CreateMediaControl); every rule
// about what is sent when lives in the music player.
#pragma once

#include <cstdint>

namespace velmoran {

class MediaControl {
public:
    virtual ~MediaControl() = default;

    // Sends one command string and returns once it has completed (a play
    // command once play has started). When reply is not null, a reply of at
    // most replyLength bytes, its NUL included, is written there. Returns 0
    // on success, otherwise an error code.
    virtual std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) = 0;

    // Writes the error text of a code into text (at most length bytes, NUL
    // included). False when there is no text for that code.
    virtual bool ErrorString(std::int32_t code, char* text, std::uint32_t length) = 0;

    virtual int WaveOutputDevices() = 0;

    // Plays a wave sound in the background over and over until StopWave.
    // A sound already playing stops first. Failures stay silent.
    virtual void StartLoopingWave(const char* name) = 0;
    virtual void StopWave() = 0;
};

}  // namespace velmoran
