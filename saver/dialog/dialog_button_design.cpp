#include "saver/dialog/dialog_button_design.h"

#include <string>

namespace velmoran {

ButtonFont ToButtonFont(const design::Font& font) {
    ButtonFont converted;
    converted.name = std::string(font.face);
    converted.points = float(font.points);
    converted.charset = font.charset;
    converted.underline = font.underline;
    return converted;
}

MemoryPropertyBag ButtonPropertyBag(const design::Control& button) {
    MemoryPropertyBag bag;
    bag.Set("Caption", std::string(button.caption));
    if (button.font) bag.Set("Font", ToButtonFont(*button.font));
    if (button.extent) {
        bag.Set("_ExtentX", std::to_string(button.extent->x));
        bag.Set("_ExtentY", std::to_string(button.extent->y));
    }
    return bag;
}

}  // namespace velmoran
