#include "saver/x11_fltk/x/window_tree.h"

namespace velmoran {

std::vector<Window> ChildrenOf(Display* display, Window window) {
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return {};
    std::vector<Window> list(children, children + count);
    if (children) XFree(children);
    return list;
}

}  // namespace velmoran
