#include "saver/display/display_driver.h"

namespace velmoran {

const DisplayDriver& ChooseDisplayDriver(std::span<const DisplayDriver* const> drivers) {
    for (const DisplayDriver* driver : drivers) {
        if (driver->Available()) return *driver;
    }
    return kNullDisplayDriver;
}

}  // namespace velmoran
