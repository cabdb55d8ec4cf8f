// The CD as a media device: play, stop, seek, time format and status, with
// the disc's audio sectors streamed into the mixer's music stream. A play
// that reaches the end of the disc leaves the drive stopped at its start, so
// that a plain "play" begins the disc again.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "saver/mixer_cdio/cd_disc.h"
#include "saver/mci/device.h"

namespace velmoran {

class CdAudioDevice final : public MciDevice {
public:
    // Needs the mixer output open; only one may exist at a time.
    explicit CdAudioDevice(std::unique_ptr<CdDisc> disc);
    ~CdAudioDevice() override;

    std::int32_t Run(const mci::Request& request, std::string& reply) override;

private:
    std::int32_t Play(const std::vector<std::string>& words);
    std::int32_t Seek(const std::vector<std::string>& words);
    std::int32_t Set(const std::vector<std::string>& words);
    std::int32_t Status(const std::vector<std::string>& words, std::string& reply);
    std::int32_t CurrentSector();

    // Runs on the audio thread: fills the mixer's buffer from the disc.
    static void Feed(void* self, std::uint8_t* stream, int length);
    std::size_t Stream(std::uint8_t* out, std::size_t length);
    void Finish();

    const std::unique_ptr<CdDisc> disc_;
    const DiscLayout& layout_;
    TimeFormat format_ = TimeFormat::kMsf;

    // Shared with the audio thread. Positions count bytes from sector 0.
    std::mutex mutex_;
    std::int64_t position_;  // what has been heard so far
    std::int64_t end_ = 0;
    bool playing_ = false;
    std::vector<std::uint8_t> sectors_;
};

}  // namespace velmoran
