// The drop-down list of a combo box on FLTK: a borderless window just below
// the box (above it where the screen ends there), as wide as the box, with
// a scrollable list of the entries of which `rows` are in view at a time.
#pragma once

#include <FL/Enumerations.H>

#include <optional>
#include <string>
#include <vector>

class Fl_Widget;

namespace velmoran {

struct ListLook {
    Fl_Font font;
    int size;
    int rows;
};

// Shows the list with entry `current` (or none) marked and in view, and
// runs until an entry is chosen - clicked, or marked and taken with Enter -
// or the list is dismissed with Escape or a click elsewhere. The entry's
// index, or nothing when dismissed.
std::optional<int> DropDownList(const Fl_Widget& box, const std::vector<std::string>& entries,
                                std::optional<int> current, const ListLook& look);

}  // namespace velmoran
