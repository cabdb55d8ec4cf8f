// The settings dialog's window-less controls as FLTK widgets: labels, images
// and shapes have no background of their own and are drawn over what their
// container painted, in the order they were added. A change redraws the
// container, which paints beneath them first.
#pragma once

#include <FL/Fl_Widget.H>

#include <cstdint>
#include <functional>
#include <string>

#include "saver/dialog/settings_dialog_design.h"

class Fl_RGB_Image;

namespace velmoran {

class PaintedControl : public Fl_Widget {
public:
    // Where the design places the control, in pixels relative to the
    // container's origin given.
    PaintedControl(const design::Control& control, int originX, int originY);

    // A press of any mouse button, with the button's bit (kLeftButton,
    // kRightButton, kMiddleButton).
    std::function<void(std::int16_t button)> onMouseDown;
    // A left-button press and release over the control.
    std::function<void()> onClick;
    // The pointer came over the control, or left it.
    std::function<void(bool inside)> onHover;

    int handle(int event) override;

protected:
    void RedrawContainer();
};

class TransparentLabel : public PaintedControl {
public:
    // From the design: place (pixels, relative to the container's origin
    // given), caption, font, colour, alignment and whether its width fits
    // its text.
    TransparentLabel(const design::Control& control, int originX, int originY);

    void SetCaption(std::string caption);
    const std::string& Caption() const { return caption_; }

protected:
    void draw() override;

private:
    void FitWidth();
    std::string ShownText() const;

    std::string caption_;
    Fl_Font font_;
    int size_;
    Fl_Color colour_;
    Fl_Align align_;
    bool underline_;
    bool autoSize_;
    bool wraps_;
};

// An image control without stretching: its picture at its top-left corner.
class PictureControl : public PaintedControl {
public:
    PictureControl(const design::Control& control, int originX, int originY);
    void SetPicture(Fl_RGB_Image* picture);

protected:
    void draw() override;

private:
    Fl_RGB_Image* picture_ = nullptr;
};

// A rectangle's outline in its colour, not filled. The pointer goes through it.
class FrameShape : public PaintedControl {
public:
    FrameShape(const design::Control& control, int originX, int originY);
    int handle(int) override { return 0; }

protected:
    void draw() override;

private:
    Fl_Color colour_;
};

// A control that holds the keyboard focus and shows nothing: a picture box
// as the focus order reaches it.
class FocusHolder : public Fl_Widget {
public:
    FocusHolder(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) { box(FL_NO_BOX); }
    int handle(int event) override { return event == FL_FOCUS || event == FL_UNFOCUS; }

protected:
    void draw() override {}
};

}  // namespace velmoran
