#include "saver/mixer_cdio/music_stream.h"

#include <SDL_mixer.h>

#include <filesystem>

#include "saver/mci/errors.h"

namespace velmoran {

std::int32_t MixerMusic::Open(const std::string& path, std::unique_ptr<MusicStream>& stream) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return mci::kFileNotFound;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) return mci::kInvalidFile;
    stream.reset(new MixerMusic(music));
    return mci::kOk;
}

MixerMusic::~MixerMusic() {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
}

double MixerMusic::Length() const { return Mix_MusicDuration(music_); }

double MixerMusic::Position() const { return Mix_GetMusicPosition(music_); }

bool MixerMusic::Playing() const { return Mix_PlayingMusic() != 0; }

bool MixerMusic::Start(double from) { return Mix_FadeInMusicPos(music_, 1, 0, from) == 0; }

void MixerMusic::Halt() { Mix_HaltMusic(); }

}  // namespace velmoran
