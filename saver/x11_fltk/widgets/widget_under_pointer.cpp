#include "saver/x11_fltk/widgets/widget_under_pointer.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {
namespace {

// Sub-windows are left out: they have X windows of their own, which the
// search through the X window tree has already gone into.
Fl_Widget* InnermostAt(Fl_Group* group, int x, int y) {
    for (int i = group->children(); i-- > 0;) {
        Fl_Widget* child = group->child(i);
        if (!child->visible() || child->as_window()) continue;
        if (x < child->x() || y < child->y() || x >= child->x() + child->w() || y >= child->y() + child->h())
            continue;
        Fl_Group* inner = child->as_group();
        return inner ? InnermostAt(inner, x, y) : child;
    }
    return group;
}

}  // namespace

Fl_Widget* WidgetUnderPointer() {
    fl_open_display();
    // A window on the way down may vanish before it is asked (a menu closing).
    XErrorTrap ignore(fl_display);
    Window window = RootWindow(fl_display, fl_screen), root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    Fl_Window* found = nullptr;
    int foundX = 0, foundY = 0;
    // Down the X window tree to the innermost window under the pointer,
    // remembering the last one that is an FLTK window of ours.
    while (XQueryPointer(fl_display, window, &root, &child, &rootX, &rootY, &x, &y, &mask) && child) {
        window = child;
        if (Fl_Window* ours = fl_find(child)) {
            found = ours;
            Window inner = 0;
            XQueryPointer(fl_display, child, &root, &inner, &rootX, &rootY, &foundX, &foundY, &mask);
        }
    }
    return found ? InnermostAt(found, foundX, foundY) : nullptr;
}

}  // namespace velmoran
