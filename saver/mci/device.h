// One open device of the media-command interpreter, the CD or a music file
// under its alias, and where the interpreter gets them from. Opening and
// closing are the interpreter's; a device runs the rest.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "saver/mci/request.h"

namespace velmoran {

class MciDevice {
public:
    virtual ~MciDevice() = default;
    // Runs play, stop, seek, set or status; 0 and the reply, or an error code.
    virtual std::int32_t Run(const mci::Request& request, std::string& reply) = 0;
};

// The devices the platform can open, over its sound output.
class MciDevices {
public:
    virtual ~MciDevices() = default;
    // False when there is no sound output: no device can be opened then.
    virtual bool OutputReady() = 0;
    // 0 and the device, or an error code: the audio CD, or a music file.
    virtual std::int32_t OpenCd(std::unique_ptr<MciDevice>& device) = 0;
    virtual std::int32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) = 0;
};

}  // namespace velmoran
