// The audio CD as a media device: play, stop, seek, time format and status,
// and the audio that plays, handed out as the sound output asks for it. A
// play that reaches the end of the disc leaves the drive stopped at its
// start, so that a plain "play" begins the disc again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "saver/mci/device.h"
#include "saver/mci/disc_layout.h"

namespace velmoran {

// One sector of audio: 588 frames of 16-bit little-endian stereo at 44.1 kHz.
inline constexpr std::int32_t kSectorBytes = 2352;

// A disc as the platform reads it.
class AudioDisc {
public:
    virtual ~AudioDisc() = default;
    virtual const DiscLayout& Layout() const = 0;
    // Reads whole sectors of audio; false when they cannot be read.
    virtual bool Read(std::int32_t sector, std::int32_t count, std::uint8_t* data) const = 0;
};

class CdDevice final : public MciDevice {
public:
    // The disc is borrowed and must outlive the device.
    explicit CdDevice(const AudioDisc& disc);

    std::int32_t Run(const mci::Request& request, std::string& reply) override;

    // The sound output's side, on its own thread: fills the stream with what
    // plays, in the disc's own sample format, and with silence where
    // nothing does.
    void Fill(std::uint8_t* stream, std::size_t length);

private:
    std::int32_t Play(const std::vector<std::string>& words);
    std::int32_t Seek(const std::vector<std::string>& words);
    std::int32_t Set(const std::vector<std::string>& words);
    std::int32_t Status(const std::vector<std::string>& words, std::string& reply);
    std::int32_t CurrentSector();

    std::size_t Stream(std::uint8_t* out, std::size_t length);
    void Finish();

    const AudioDisc& disc_;
    const DiscLayout& layout_;
    TimeFormat format_ = TimeFormat::kMsf;

    // Shared with the sound output's thread. Positions count bytes from sector 0.
    std::mutex mutex_;
    std::int64_t position_;  // what has been heard so far
    std::int64_t end_ = 0;
    bool playing_ = false;
    std::vector<std::uint8_t> sectors_;
};

}  // namespace velmoran
