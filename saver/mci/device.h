// One open device of the media back end: the CD or a music file under its
// alias. Opening and closing are the back end's; the device runs the rest.
#pragma once

#include <cstdint>
#include <string>

#include "saver/mci/request.h"

namespace velmoran {

class MciDevice {
public:
    virtual ~MciDevice() = default;
    // Runs play, stop, seek, set or status; 0 and the reply, or an error code.
    virtual std::int32_t Run(const mci::Request& request, std::string& reply) = 0;
};

}  // namespace velmoran
