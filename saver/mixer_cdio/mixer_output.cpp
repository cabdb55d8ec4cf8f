#include "saver/mixer_cdio/mixer_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace velmoran {

bool MixerOutput::Ready() {
    if (state_ != State::kUntried) return state_ == State::kOpen;
    state_ = State::kUnavailable;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    // No format changes allowed: SDL converts for the device instead.
    if (Mix_OpenAudioDevice(kOutputRate, AUDIO_S16LSB, kOutputChannels, kOutputFrames, nullptr, 0) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    state_ = State::kOpen;
    return true;
}

MixerOutput::~MixerOutput() {
    if (state_ != State::kOpen) return;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace velmoran
