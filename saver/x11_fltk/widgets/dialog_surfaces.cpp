#include "saver/x11_fltk/widgets/dialog_surfaces.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

namespace velmoran {
namespace {

std::uint32_t Rgb(RgbColour c) { return std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue; }

// FLTK moves the focus with the arrow keys too; the dialog's focus moves
// only with Tab.
bool MovesFocus(int key) {
    return key == FL_Tab || key == FL_Left || key == FL_Right || key == FL_Up || key == FL_Down;
}

}  // namespace

BackImage::BackImage(int width, int height, RgbColour background) : image_(width, height) {
    Fill(image_, Rgb(background));
}

void BackImage::DrawLines(double width, const std::vector<RgbColour>& lineColours) {
    if (!std::isfinite(width)) return;
    const int right = int(std::clamp(std::lround(width), 0L, long(image_.width)));
    const int rows = std::min(int(lineColours.size()), image_.height);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < right; ++x) image_.Put(x, y, Rgb(lineColours[std::size_t(y)]));
}

void BackImage::Show(int x, int y) const {
    if (image_.width > 0 && image_.height > 0)
        fl_draw_image(image_.pixels.data(), x, y, image_.width, image_.height, 3);
}

DialogWindow::DialogWindow(int width, int height, const char* title, RgbColour background)
    : Fl_Double_Window(width, height, title), back_(width, height, background) {
    color(fl_rgb_color(background.red, background.green, background.blue));
    callback(Closing, this);
}

// FLTK calls the window's callback for Escape as well; only the system's
// close command closes the dialog.
void DialogWindow::Closing(Fl_Widget*, void* self) {
    auto* window = static_cast<DialogWindow*>(self);
    if (Fl::event() == FL_CLOSE && window->onClose) window->onClose();
}

int DialogWindow::handle(int event) {
    const bool key = event == FL_KEYBOARD || event == FL_SHORTCUT;
    if (key && Fl::event_key() == FL_Tab && !Fl::event_state(FL_CTRL | FL_ALT | FL_META)) {
        if (onTab) onTab(Fl::event_state(FL_SHIFT) != 0);
        return 1;
    }
    if (key && MovesFocus(Fl::event_key())) return 0;
    return Fl_Double_Window::handle(event);
}

void DialogWindow::draw() {
    if (damage() & ~FL_DAMAGE_CHILD) back_.Show(0, 0);
    draw_children();
}

DialogPanel::DialogPanel(int x, int y, int width, int height, RgbColour background)
    : Fl_Group(x, y, width, height), back_(width, height, background) {
    box(FL_NO_BOX);
}

int DialogPanel::handle(int event) {
    if (event == FL_KEYBOARD && MovesFocus(Fl::event_key())) return 0;
    return Fl_Group::handle(event);
}

void DialogPanel::draw() {
    if (damage() & ~FL_DAMAGE_CHILD) back_.Show(x(), y());
    draw_children();
}

}  // namespace velmoran
