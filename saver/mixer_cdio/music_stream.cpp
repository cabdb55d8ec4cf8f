#include "saver/mixer_cdio/music_stream.h"

#include <SDL_mixer.h>

#include <cctype>
#include <filesystem>

#include "saver/mci/errors.h"
#include "saver/mixer_cdio/regular_source.h"

namespace velmoran {

namespace {

// The decoder a file's name asks for, as SDL_mixer chooses it when it opens
// the file by name; by its first bytes otherwise.
Mix_MusicType TypeOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".mp3") return MUS_MP3;
    if (extension == ".wav") return MUS_WAV;
    return MUS_NONE;
}

}  // namespace

std::int32_t MixerMusic::Open(const std::string& path, std::unique_ptr<MusicStream>& stream) {
    SDL_RWops* source = OpenRegularSource(path);
    if (!source) {
        // A regular file that cannot be read is no music; anything else is not there.
        std::error_code error;
        return std::filesystem::is_regular_file(path, error) ? mci::kInvalidFile : mci::kFileNotFound;
    }
    Mix_Music* music = Mix_LoadMUSType_RW(source, TypeOf(path), 1);
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
