// Windows always has its desktop for the forms' windows.
#include "saver/backend.h"

namespace velmoran {

bool FormsCanOpen() { return true; }

}  // namespace velmoran
