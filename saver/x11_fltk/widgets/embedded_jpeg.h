// JPEG pictures compiled into the program, decoded by FLTK for drawing.
#pragma once

#include <FL/Fl_Image.H>

#include <memory>
#include <string_view>

namespace velmoran {

// The embedded picture of that name (as under assets/); nullptr when the
// program does not carry it or it cannot be decoded.
std::unique_ptr<Fl_RGB_Image> LoadEmbeddedJpeg(std::string_view name);

}  // namespace velmoran
