// The audio CD through SDL_mixer: the disc read with libcdio and streamed,
// as the CD device hands it out, into the mixer's music stream.
#pragma once

#include <memory>

#include "saver/mci/cd_device.h"
#include "saver/mixer_cdio/cd_disc.h"

namespace velmoran {

class CdPlayer final : public MciDevice {
public:
    // Needs the mixer output open; only one may exist at a time, as the
    // mixer has one music stream.
    explicit CdPlayer(std::unique_ptr<CdDisc> disc);
    ~CdPlayer() override;
    CdPlayer(const CdPlayer&) = delete;
    CdPlayer& operator=(const CdPlayer&) = delete;

    std::int32_t Run(const mci::Request& request, std::string& reply) override { return device_.Run(request, reply); }

private:
    static void Feed(void* self, std::uint8_t* stream, int length);

    const std::unique_ptr<CdDisc> disc_;
    CdDevice device_;
};

}  // namespace velmoran
