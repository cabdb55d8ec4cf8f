#include "saver/mixer_cdio/cd_player.h"

#include <SDL_mixer.h>

namespace velmoran {

CdPlayer::CdPlayer(std::unique_ptr<CdDisc> disc) : disc_(std::move(disc)), device_(*disc_) {
    Mix_HookMusic(&CdPlayer::Feed, this);
}

CdPlayer::~CdPlayer() {
    // Waits for a mixing pass under way to end.
    Mix_HookMusic(nullptr, nullptr);
}

void CdPlayer::Feed(void* self, std::uint8_t* stream, int length) {
    static_cast<CdPlayer*>(self)->device_.Fill(stream, static_cast<std::size_t>(length));
}

}  // namespace velmoran
