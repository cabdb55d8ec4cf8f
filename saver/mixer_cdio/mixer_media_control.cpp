#include "saver/mixer_cdio/mixer_media_control.h"

#include "saver/mci/errors.h"
#include "saver/mixer_cdio/cd_player.h"
#include "saver/mixer_cdio/music_stream.h"

namespace velmoran {

MixerMediaControl::~MixerMediaControl() {
    interpreter_.CloseAll();
    wave_.Stop();
}

std::int32_t MixerMediaControl::SendString(const char* command, char* reply, std::uint32_t replyLength) {
    return interpreter_.SendString(command, reply, replyLength);
}

bool MixerMediaControl::ErrorString(std::int32_t code, char* text, std::uint32_t length) {
    return MciInterpreter::ErrorString(code, text, length);
}

int MixerMediaControl::WaveOutputDevices() {
    return mixer_.Ready() ? 1 : 0;
}

void MixerMediaControl::StartLoopingWave(const char* name) {
    if (name && mixer_.Ready()) wave_.Start(name);
}

void MixerMediaControl::StopWave() {
    wave_.Stop();
}

std::int32_t MixerMediaControl::OpenCd(std::unique_ptr<MciDevice>& device) {
    std::unique_ptr<CdDisc> disc;
    if (const std::int32_t code = CdDisc::Open(disc); code != mci::kOk) return code;
    device = std::make_unique<CdPlayer>(std::move(disc));
    return mci::kOk;
}

std::int32_t MixerMediaControl::OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) {
    std::unique_ptr<MusicStream> stream;
    if (const std::int32_t code = MixerMusic::Open(path, stream); code != mci::kOk) return code;
    device = std::make_unique<FileDevice>(std::move(stream));
    return mci::kOk;
}

}  // namespace velmoran
