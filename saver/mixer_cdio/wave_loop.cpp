#include "saver/mixer_cdio/wave_loop.h"

#include <SDL_mixer.h>

namespace velmoran {

void WaveLoop::Start(const char* path) {
    Stop();
    chunk_ = Mix_LoadWAV(path);
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
