// A modal message with an OK button, through FLTK.
#include <cstdio>

#include <FL/fl_ask.H>

#include "saver/backend.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/widgets/fonts.h"

namespace velmoran {

void ShowMessage(const std::string& text, const std::string& caption) {
    if (!SaverDisplay()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return;
    }
    fl_message_font(JapaneseFont(), FL_NORMAL_SIZE);
    fl_message_title(caption.c_str());
    const char* const closeLabel = fl_close;
    fl_close = "OK";
    fl_alert("%s", text.c_str());
    fl_close = closeLabel;
}

}  // namespace velmoran
