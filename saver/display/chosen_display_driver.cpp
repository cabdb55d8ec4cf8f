// Apart from ChooseDisplayDriver, so that a program that only chooses among
// drivers of its own (a test) needs no back end's list.
#include "saver/display/display_driver.h"

namespace velmoran {

const DisplayDriver& ChosenDisplayDriver() {
    static const DisplayDriver& chosen = ChooseDisplayDriver(DisplayDrivers());
    return chosen;
}

}  // namespace velmoran
