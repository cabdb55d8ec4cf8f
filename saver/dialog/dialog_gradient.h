// The settings dialog's two background gradients: horizontal lines, one per
// unit of a surface's height, dark at the top and bottom edges and light
// across the middle.
#pragma once

#include <vector>

#include "saver/rgb_colour.h"

namespace velmoran {

// The two surfaces that carry a gradient: the form, in blue-grey
// (v, v, v + 30), and the music panel Pic_C(0), in grey (v + 30, v + 30, v + 30).
enum class DialogSurface { Form, Panel };

// The brightness v of the line at y on a surface height units tall:
// |sin(y / r)| * 220 with r = height / 3.142, rounded half to even.
int GradientLevel(double y, double height);

// The colours of the lines y = 0, 1, ... up to the height rounded to a whole
// number, that line included; empty for a surface of no (or no finite) height.
std::vector<RgbColour> GradientLineColours(double height, DialogSurface surface);

}  // namespace velmoran
