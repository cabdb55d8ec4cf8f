// The null display driver, for a run without a desktop and for the tests.
#include "saver/display/display_driver.h"

namespace velmoran {

namespace {

bool Always() { return true; }
std::unique_ptr<CapturedScreen> NoPicture(std::uint32_t) { return nullptr; }
std::vector<std::optional<ProcessId>> NoWindows(const std::string&) { return {}; }
std::shared_ptr<void> NoMark(const std::string&) { return nullptr; }
void LeavePointer() {}
std::uint32_t NoWindow() { return 0; }

}  // namespace

const DisplayDriver kNullDisplayDriver = {
    .name = "null",
    .Available = Always,
    .CaptureScreen = NoPicture,
    .ProcessesOfWindowsTitled = NoWindows,
    .MarkForm = NoMark,
    .HidePointer = LeavePointer,
    .ShowPointer = LeavePointer,
    .HackRootWindow = NoWindow,
};

}  // namespace velmoran
