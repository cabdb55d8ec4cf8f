// The font of the saver's Japanese texts.
#pragma once

#include <FL/Enumerations.H>

namespace velmoran {

// IPAPGothic, the proportional Japanese gothic font, registered with FLTK.
Fl_Font JapaneseFont();

}  // namespace velmoran
