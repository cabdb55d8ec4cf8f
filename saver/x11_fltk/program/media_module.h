// The media facilities as the saver on Linux holds them: a stand-in that
// loads the sound back end (mixer_cdio/, built as a module of its own over
// SDL_mixer and libcdio) the first time it is used, and hands it every call.
// The saver thus starts - and the preview and the settings dialog run -
// without loading those libraries and their codecs; a show's first media
// call, on its music thread, loads them. Where the module cannot be loaded
// (not there, or its libraries missing) the facilities are those of a machine
// without a sound device: every command fails as it does there, silently.
#pragma once

#include <filesystem>
#include <memory>
#include <utility>

#include "saver/music/media_control.h"

namespace velmoran {

class MediaModule final : public MediaControl {
public:
    // folder: the absolute path of the folder the module lies in. Nothing is
    // loaded before the first call.
    explicit MediaModule(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        return Media().SendString(command, reply, replyLength);
    }
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override {
        return Media().ErrorString(code, text, length);
    }
    int WaveOutputDevices() override { return Media().WaveOutputDevices(); }
    void StartLoopingWave(const char* name) override { Media().StartLoopingWave(name); }
    void StopWave() override { Media().StopWave(); }

private:
    // The module's facilities, loaded once; the stand-in without sound
    // where that failed.
    MediaControl& Media();

    const std::filesystem::path folder_;
    std::unique_ptr<MediaControl> media_;
};

}  // namespace velmoran
