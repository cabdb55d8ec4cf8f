#include "saver/dialog/dialog_tab_order.h"

#include <algorithm>

namespace velmoran {

using design::ControlId;
using design::Kind;

std::vector<ControlId> TabStops() {
    std::vector<const design::Control*> stops;
    for (const design::Control& control : design::kControls) {
        const bool window = control.kind == Kind::PictureBox || control.kind == Kind::ComboBox ||
                            control.kind == Kind::PushButton;
        if (window && control.tabOrder) stops.push_back(&control);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const design::Control* a, const design::Control* b) { return *a->tabOrder < *b->tabOrder; });
    std::vector<ControlId> ids;
    for (const design::Control* control : stops) ids.push_back(control->id);
    return ids;
}

std::optional<ControlId> NextTabStop(std::optional<ControlId> from, bool backwards,
                                     const std::function<bool(ControlId)>& canFocus) {
    const std::vector<ControlId> stops = TabStops();
    const int count = int(stops.size());
    const auto found = from ? std::find(stops.begin(), stops.end(), *from) : stops.end();
    // Not on a stop: as if just before the first (or after the last) one.
    int at = found != stops.end() ? int(found - stops.begin()) : backwards ? count : -1;
    const int step = backwards ? -1 : 1;
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        if (canFocus(stops[std::size_t(at)])) return stops[std::size_t(at)];
    }
    return std::nullopt;
}

}  // namespace velmoran
