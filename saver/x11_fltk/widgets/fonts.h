// FLTK fonts for the fonts the saver's forms are designed with. The Japanese
// Windows families are drawn with their IPA counterparts (fonts-ipafont).
#pragma once

#include <FL/Enumerations.H>

#include "saver/controls/button_font.h"

namespace velmoran {

// The FLTK font for this family and style, registered on first use.
Fl_Font FltkFont(const ButtonFont& font);

// The font of the saver's Japanese texts: the proportional Japanese gothic
// font its forms are designed with, drawn with IPAPGothic.
Fl_Font JapaneseFont();

}  // namespace velmoran
