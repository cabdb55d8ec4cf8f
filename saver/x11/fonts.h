// FLTK fonts for the fonts the saver's forms are designed with. The Japanese
// Windows families are drawn with their IPA counterparts (fonts-ipafont).
#pragma once

#include <FL/Enumerations.H>

#include "saver/controls/button_font.h"

namespace velmoran {

// The FLTK font for this family and style, registered on first use.
Fl_Font FltkFont(const ButtonFont& font);

}  // namespace velmoran
