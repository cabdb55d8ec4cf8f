#include "saver/x11/japanese_font.h"

#include <FL/Fl.H>

namespace velmoran {

Fl_Font JapaneseFont() {
    static bool registered = false;
    if (!registered) {
        // The leading blank asks for the family's regular style.
        Fl::set_font(FL_FREE_FONT, " IPAPGothic");
        registered = true;
    }
    return FL_FREE_FONT;
}

}  // namespace velmoran
