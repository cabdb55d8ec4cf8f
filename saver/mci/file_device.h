// A music file (MP3, or any other the platform decodes) as a media device
// under its alias: play from a position in milliseconds, stop, seek and
// status. Like the media interface's own player it remembers where it
// stopped, and a plain "play" goes on from there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "saver/mci/device.h"

namespace velmoran {

// The decoded file as the platform plays it. Times are in seconds.
class MusicStream {
public:
    virtual ~MusicStream() = default;
    // The file's length; 0 or less when it is not known.
    virtual double Length() const = 0;
    // How far into the file play is; less than 0 when it is not known.
    virtual double Position() const = 0;
    // Whether it plays: false once play has reached the end or was halted.
    virtual bool Playing() const = 0;
    // Plays it once from `from`; false when it cannot.
    virtual bool Start(double from) = 0;
    virtual void Halt() = 0;
};

class FileDevice final : public MciDevice {
public:
    explicit FileDevice(std::unique_ptr<MusicStream> stream) : stream_(std::move(stream)) {}

    std::int32_t Run(const mci::Request& request, std::string& reply) override;

private:
    std::int32_t Play(const std::vector<std::string>& words);
    std::int32_t Seek(const std::vector<std::string>& words);
    std::int32_t Status(const std::vector<std::string>& words, std::string& reply);
    bool Playing();
    void Stop();
    double Length() const;

    const std::unique_ptr<MusicStream> stream_;
    bool started_ = false;  // play began and was not stopped, though it may have ended
    double resumeAt_ = 0;   // seconds: where a plain play goes on
};

}  // namespace velmoran
