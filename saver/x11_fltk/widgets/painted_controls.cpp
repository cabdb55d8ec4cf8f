#include "saver/x11_fltk/widgets/painted_controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "saver/controls/command.h"
#include "saver/dialog/dialog_button_design.h"
#include "saver/dialog/label_lines.h"
#include "saver/x11_fltk/widgets/fonts.h"

namespace velmoran {
namespace {

std::int16_t ButtonBit(int button) {
    switch (button) {
    case FL_LEFT_MOUSE: return kLeftButton;
    case FL_MIDDLE_MOUSE: return kMiddleButton;
    case FL_RIGHT_MOUSE: return kRightButton;
    }
    return 0;
}

Fl_Color ColourOf(const std::optional<RgbColour>& colour) {
    const RgbColour c = colour.value_or(kBlack);
    return fl_rgb_color(c.red, c.green, c.blue);
}

}  // namespace

int PaintedControl::handle(int event) {
    switch (event) {
    case FL_PUSH:
        if (onMouseDown) onMouseDown(ButtonBit(Fl::event_button()));
        return 1;  // a label takes the press even without a handler, as it covers what lies below
    case FL_RELEASE:
        if (onClick && Fl::event_button() == FL_LEFT_MOUSE && Fl::event_inside(this)) onClick();
        return 1;
    case FL_ENTER:
    case FL_LEAVE:
        if (!onHover) return 0;
        onHover(event == FL_ENTER);
        return 1;
    case FL_MOVE:
        return onHover ? 1 : 0;
    }
    return Fl_Widget::handle(event);
}

PaintedControl::PaintedControl(const design::Control& control, int originX, int originY)
    : Fl_Widget(originX + design::Pixels(control.twips.left), originY + design::Pixels(control.twips.top),
                design::Pixels(control.twips.width), design::Pixels(control.twips.height)) {
    box(FL_NO_BOX);
}

void PaintedControl::RedrawContainer() {
    if (parent())
        parent()->redraw();
    else
        redraw();
}

TransparentLabel::TransparentLabel(const design::Control& control, int originX, int originY)
    : PaintedControl(control, originX, originY),
      caption_(control.caption),
      font_(control.font ? FltkFont(ToButtonFont(*control.font)) : FL_HELVETICA),
      size_(control.font ? FontPixelHeight(ToButtonFont(*control.font)) : FL_NORMAL_SIZE),
      colour_(ColourOf(control.foreColour)),
      align_(FL_ALIGN_INSIDE | FL_ALIGN_TOP | (control.align == design::Align::Centre ? FL_ALIGN_CENTER : FL_ALIGN_LEFT)),
      underline_(control.font && control.font->underline),
      autoSize_(control.autoSize),
      wraps_(control.wraps) {
    FitWidth();
}

void TransparentLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    FitWidth();
    RedrawContainer();
}

// An auto-sized label is exactly as wide as its text, which is where it
// takes the pointer.
void TransparentLabel::FitWidth() {
    if (!autoSize_) return;
    fl_font(font_, size_);
    int width = 0, height = 0;
    fl_measure(caption_.c_str(), width, height, 0);
    size(width, h());
}

// A label that breaks its text breaks it as the system's labels do: FLTK's
// own wrapping breaks only at spaces and would cut a long word short. The
// font is the label's.
std::string TransparentLabel::ShownText() const {
    if (!wraps_) return caption_;
    const auto width = [](std::string_view text) { return fl_width(text.data(), int(text.size())); };
    std::string shown;
    const std::vector<std::string> lines = LabelLines(caption_, w(), width);
    for (std::size_t i = 0; i < lines.size(); ++i) shown += (i ? "\n" : "") + lines[i];
    return shown;
}

void TransparentLabel::draw() {
    fl_push_clip(x(), y(), w(), h());
    fl_font(font_, size_);
    fl_color(colour_);
    fl_draw(ShownText().c_str(), x(), y(), w(), h(), align_, nullptr, 0);
    if (underline_) {
        // Just below the baseline, yet inside the label where the font
        // stands taller than the label's design height.
        const int line = std::min(y() + fl_height() - fl_descent() + 1, y() + h() - 1);
        fl_line(x(), line, x() + int(fl_width(caption_.c_str())) - 1, line);
    }
    fl_pop_clip();
}

PictureControl::PictureControl(const design::Control& control, int originX, int originY)
    : PaintedControl(control, originX, originY) {}

void PictureControl::SetPicture(Fl_RGB_Image* picture) {
    if (picture == picture_) return;
    picture_ = picture;
    RedrawContainer();
}

void PictureControl::draw() {
    if (!picture_) return;
    fl_push_clip(x(), y(), w(), h());
    picture_->draw(x(), y());
    fl_pop_clip();
}

FrameShape::FrameShape(const design::Control& control, int originX, int originY)
    : PaintedControl(control, originX, originY),
      colour_(ColourOf(control.foreColour)) {}

void FrameShape::draw() {
    fl_color(colour_);
    fl_rect(x(), y(), w(), h());
}

}  // namespace velmoran
