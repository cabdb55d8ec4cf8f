// The settings dialog's embedded pictures as FLTK images: the two option
// marks, the window icon and the link pointer. Each is decoded once and kept
// for the life of the program; nothing when the program does not carry it or
// it cannot be read.
#pragma once

#include <FL/Fl_RGB_Image.H>

#include "saver/dialog/settings_dialog_design.h"

namespace velmoran {

// The picture of Img_Ra(0) or Img_Ra(1).
Fl_RGB_Image* MarkPicture(design::ControlId picture);

Fl_RGB_Image* WindowIconPicture();

// The pointer shown over lbl_URL, with its hot spot.
struct PointerPicture {
    Fl_RGB_Image* image = nullptr;
    int hotX = 0, hotY = 0;
};
PointerPicture LinkPointerPicture();

}  // namespace velmoran
