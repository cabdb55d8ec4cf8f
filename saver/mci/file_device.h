// A music file (MP3, or any other the mixer decodes) as a media device under
// its alias: play from a position in milliseconds, stop, seek and status.
// Like the media interface's own player it remembers where it stopped, and
// a plain "play" goes on from there.
#pragma once

#include <memory>
#include <string>

#include "saver/mci/device.h"

typedef struct _Mix_Music Mix_Music;

namespace velmoran {

class MusicFileDevice final : public MciDevice {
public:
    // 0 and the device, or an error code. Needs the mixer output open; only
    // one may exist at a time, as the mixer has one music stream.
    static std::int32_t Open(const std::string& path, std::unique_ptr<MciDevice>& device);
    ~MusicFileDevice() override;

    std::int32_t Run(const mci::Request& request, std::string& reply) override;

private:
    explicit MusicFileDevice(Mix_Music* music) : music_(music) {}
    std::int32_t Play(const std::vector<std::string>& words);
    std::int32_t Seek(const std::vector<std::string>& words);
    std::int32_t Status(const std::vector<std::string>& words, std::string& reply);
    bool Playing();
    void Stop();
    double Length() const;

    Mix_Music* const music_;
    bool started_ = false;  // play began and was not stopped, though it may have ended
    double resumeAt_ = 0;   // seconds: where a plain play goes on
};

}  // namespace velmoran
