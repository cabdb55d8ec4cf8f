// A caption font as a GDI font.
#pragma once

#include <windows.h>

#include "saver/controls/button_font.h"

namespace velmoran {

// A new GDI font for the font at its pixel height on the 96-dpi screen; the
// caller deletes it. Null when the system could not make it.
HFONT MakeFont(const ButtonFont& font);

}  // namespace velmoran
