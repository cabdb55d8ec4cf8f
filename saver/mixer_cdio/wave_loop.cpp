#include "saver/mixer_cdio/wave_loop.h"

#include <SDL_mixer.h>

#include "saver/mixer_cdio/regular_source.h"

namespace velmoran {

void WaveLoop::Start(const char* path) {
    Stop();
    SDL_RWops* source = OpenRegularSource(path);
    if (!source) return;
    chunk_ = Mix_LoadWAV_RW(source, 1);
    if (!chunk_) return;
    channel_ = Mix_PlayChannel(-1, chunk_, -1);
    if (channel_ < 0) Stop();
}

void WaveLoop::Stop() {
    if (channel_ >= 0) Mix_HaltChannel(channel_);
    channel_ = -1;
    if (chunk_) Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
}

}  // namespace velmoran
