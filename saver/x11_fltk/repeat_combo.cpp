#include "saver/x11_fltk/repeat_combo.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Button.H>

#include <cstring>

namespace velmoran {

RepeatCombo::RepeatCombo(int x, int y, int w, int h) : Fl_Input_Choice(x, y, w, h) {
    // The list button is reached with the pointer only; Tab leaves the box.
    menubutton()->clear_visible_focus();
}

int RepeatCombo::handle(int event) {
    if (event == FL_KEYBOARD && (Fl::event_key() == FL_Up || Fl::event_key() == FL_Down)) {
        if (active_r()) Step(Fl::event_key() == FL_Up ? -1 : 1);
        return 1;
    }
    // Tab goes on to the window, which moves the focus in the dialog's order.
    if (event == FL_KEYBOARD && Fl::event_key() == FL_Tab) return 0;
    return Fl_Input_Choice::handle(event);
}

// From the entry that equals the text (or from before the first one), to
// the neighbouring entry, staying at the ends.
void RepeatCombo::Step(int by) {
    const int count = menubutton()->size() - 1;  // the menu's array ends with an empty item
    if (count <= 0) return;
    int at = -1;
    for (int i = 0; i < count; ++i) {
        const char* text = menubutton()->menu()[i].label();
        if (std::strcmp(text ? text : "", value()) == 0) {
            at = i;
            break;
        }
    }
    int next = at < 0 ? (by > 0 ? 0 : count - 1) : at + by;
    if (next < 0 || next >= count) return;
    const char* text = menubutton()->menu()[next].label();
    value(text ? text : "");
    input()->position(input()->size(), 0);
    do_callback();
}

}  // namespace velmoran
