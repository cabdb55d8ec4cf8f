// A music file decoded by SDL_mixer into its one music stream.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "saver/mci/file_device.h"

typedef struct _Mix_Music Mix_Music;

namespace velmoran {

class MixerMusic final : public MusicStream {
public:
    // 0 and the stream, or an error code: no such file, or none the mixer
    // decodes. Needs the mixer output open; only one may play at a time.
    static std::int32_t Open(const std::string& path, std::unique_ptr<MusicStream>& stream);
    ~MixerMusic() override;
    MixerMusic(const MixerMusic&) = delete;
    MixerMusic& operator=(const MixerMusic&) = delete;

    double Length() const override;
    double Position() const override;
    bool Playing() const override;
    bool Start(double from) override;
    void Halt() override;

private:
    explicit MixerMusic(Mix_Music* music) : music_(music) {}
    Mix_Music* const music_;
};

}  // namespace velmoran
