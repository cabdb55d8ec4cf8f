// The settings dialog's push buttons as their design stores them: the
// persisted properties a view hands to each button as it builds the form.
#pragma once

#include "saver/controls/button_font.h"
#include "saver/controls/property_bag.h"
#include "saver/dialog/settings_dialog_design.h"

namespace velmoran {

// A design font as the button and the views' font mapping take it.
ButtonFont ToButtonFont(const design::Font& font);

// The button's stored properties: Caption, Font, and its design size
// (_ExtentX, _ExtentY in hundredths of a millimetre).
MemoryPropertyBag ButtonPropertyBag(const design::Control& button);

}  // namespace velmoran
