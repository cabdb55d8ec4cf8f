#include "saver/win32/winmm_media_control.h"

#include <windows.h>
#include <mmsystem.h>

#include "saver/backend.h"

namespace velmoran {

std::int32_t WinmmMediaControl::SendString(const char* command, char* reply, std::uint32_t replyLength) {
    return static_cast<std::int32_t>(mciSendStringA(command, reply, replyLength, nullptr));
}

bool WinmmMediaControl::ErrorString(std::int32_t code, char* text, std::uint32_t length) {
    return mciGetErrorStringA(static_cast<MCIERROR>(code), text, length) != FALSE;
}

int WinmmMediaControl::WaveOutputDevices() {
    return static_cast<int>(waveOutGetNumDevs());
}

void WinmmMediaControl::StartLoopingWave(const char* name) {
    // Without SND_FILENAME: the name may also be a system sound's alias.
    // SND_NODEFAULT: a file that cannot be played stays silent rather than
    // ringing the system's default sound over and over.
    PlaySoundA(name, nullptr, SND_ASYNC | SND_LOOP | SND_NODEFAULT);
}

void WinmmMediaControl::StopWave() {
    PlaySoundA(nullptr, nullptr, 0);
}

std::unique_ptr<MediaControl> CreateMediaControl() {
    return std::make_unique<WinmmMediaControl>();
}

}  // namespace velmoran
