#include "saver/dialog/dialog_pointer.h"

namespace velmoran {

PointerShape PointerOver(PointerShape application, std::optional<design::ControlId> control) {
    if (application == PointerShape::Hourglass) return PointerShape::Hourglass;
    if (control && !design::ControlOf(*control).mousePointer.empty()) return PointerShape::Link;
    return PointerShape::Default;
}

}  // namespace velmoran
