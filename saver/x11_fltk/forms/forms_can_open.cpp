// The forms' windows are X windows on the saver's one display connection.
#include "saver/backend.h"
#include "saver/x11_fltk/x/display.h"

namespace velmoran {

bool FormsCanOpen() { return SaverDisplay() != nullptr; }

}  // namespace velmoran
