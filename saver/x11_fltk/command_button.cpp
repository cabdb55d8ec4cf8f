#include "saver/x11_fltk/command_button.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "saver/controls/face_images.h"
#include "saver/x11_fltk/fonts.h"
#include "saver/x11_fltk/widget_under_pointer.h"

namespace velmoran {
namespace {

// The control's background colour, under the gradient: the usual button face.
constexpr std::uint32_t kBackground = 0xECE9D8;

const RgbImage& Face(FaceImage image) {
    static std::array<RgbImage, kFaceImageCount> faces = [] {
        std::array<RgbImage, kFaceImageCount> loaded;
        for (int i = 0; i < kFaceImageCount; ++i)
            if (auto face = LoadFaceImage(FaceImage(i))) loaded[i] = std::move(*face);
        return loaded;
    }();
    return faces[int(image)];
}

std::int16_t ButtonsHeld() {
    int state = Fl::event_state();
    return std::int16_t((state & FL_BUTTON1 ? kLeftButton : 0) | (state & FL_BUTTON3 ? kRightButton : 0) |
                        (state & FL_BUTTON2 ? kMiddleButton : 0));
}

std::int16_t ButtonOfEvent() {
    switch (Fl::event_button()) {
    case FL_LEFT_MOUSE: return kLeftButton;
    case FL_RIGHT_MOUSE: return kRightButton;
    case FL_MIDDLE_MOUSE: return kMiddleButton;
    }
    return 0;
}

std::int16_t ShiftState() {
    int state = Fl::event_state();
    return std::int16_t((state & FL_SHIFT ? kShiftMask : 0) | (state & FL_CTRL ? kCtrlMask : 0) |
                        (state & FL_ALT ? kAltMask : 0));
}

Fl_Color FltkColour(std::uint32_t colour) {
    return fl_rgb_color(uchar(colour), uchar(colour >> 8), uchar(colour >> 16));
}

}  // namespace

CommandButton::CommandButton(int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), back_(w, h) {
    box(FL_NO_BOX);
    Fill(back_, kBackground);
    control_.UserControl_Resize();  // the first face, as a window gets from its first sizing
}

CommandButton::~CommandButton() { Fl::remove_timeout(Tick, this); }

void CommandButton::Focus() {
    if (Fl::focus() != this) take_focus();
}

int CommandButton::handle(int event) {
    switch (event) {
    case FL_ENTER:
    case FL_MOVE:
    case FL_DRAG:
        Pointer(Command::Pointer::Move, ButtonsHeld());
        return 1;
    case FL_PUSH:
        if (Fl::event_button() == FL_LEFT_MOUSE) Focus();
        Pointer(Command::Pointer::Down, ButtonOfEvent());
        return 1;
    case FL_RELEASE:
        Pointer(Command::Pointer::Up, ButtonOfEvent());  // may have destroyed the button
        return 1;
    case FL_FOCUS:
        control_.UserControl_GotFocus();
        return 1;
    case FL_UNFOCUS:
        control_.UserControl_LostFocus();
        return 1;
    case FL_LEAVE:
        return 1;
    }
    return Fl_Widget::handle(event);
}

void CommandButton::Pointer(Command::Pointer kind, std::int16_t button) {
    control_.PointerEvent(kind, button, ShiftState(), Fl::event_x() - x(), Fl::event_y() - y());
}

void CommandButton::resize(int x, int y, int w, int h) {
    bool resized = w != this->w() || h != this->h();
    Fl_Widget::resize(x, y, w, h);
    if (!resized) return;
    back_ = RgbImage(w, h);
    Fill(back_, kBackground);
    control_.UserControl_Resize();
}

void CommandButton::draw() {
    if (opaque_ && back_.width > 0 && back_.height > 0)
        fl_draw_image(back_.pixels.data(), x(), y(), back_.width, back_.height, 3);
    DrawCaption();
}

void CommandButton::DrawCaption() const {
    PixelRect r = TwipsToPixels(TwipRect{caption_.left, caption_.top, caption_.width, caption_.height});
    Fl_Color colour = FltkColour(caption_.colour);
    fl_font(FltkFont(caption_.font), FontPixelHeight(caption_.font));
    fl_color(caption_.enabled ? colour : fl_inactive(colour));
    fl_push_clip(x(), y(), w(), h());
    fl_draw(caption_.text.c_str(), x() + r.x, y() + r.y, r.w, r.h, FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP,
            nullptr, 0);
    fl_pop_clip();
}

void CommandButton::Clear() { Fill(back_, kBackground); }

void CommandButton::FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) {
    FillVerticalGradient(back_, vertices, mesh);
}

void CommandButton::CopyFace(FaceImage image, PixelRect source, PixelRect destination) {
    StretchCopy(back_, destination, Face(image), source);
}

// A transparent button shows what lies beneath it, which its parent draws.
void CommandButton::Refresh() {
    if (!opaque_ && parent())
        parent()->redraw();
    else
        redraw();
}

void CommandButton::ShowCaption(const CaptionElement& caption) {
    caption_ = caption;
    Refresh();
}

void CommandButton::SetOpaque(bool opaque) {
    opaque_ = opaque;
    if (parent()) parent()->redraw();
}

void CommandButton::SetTimerEnabled(bool enabled) {
    timerEnabled_ = enabled;
    RestartTimer();
}

void CommandButton::SetTimerInterval(int milliseconds) {
    interval_ = milliseconds / 1000.0;
    RestartTimer();
}

// Like a form timer, it ticks only while enabled with an interval above 0.
void CommandButton::RestartTimer() {
    Fl::remove_timeout(Tick, this);
    if (timerEnabled_ && interval_ > 0) Fl::add_timeout(interval_, Tick, this);
}

void CommandButton::Tick(void* self) {
    auto* button = static_cast<CommandButton*>(self);
    Fl::repeat_timeout(button->interval_, Tick, self);
    button->control_.TmrMouse_Timer();
}

WindowRef CommandButton::WindowUnderPointer() const {
    return reinterpret_cast<WindowRef>(WidgetUnderPointer());
}

WindowRef CommandButton::OwnWindow() const { return reinterpret_cast<WindowRef>(static_cast<const Fl_Widget*>(this)); }

WindowRef CommandButton::HostFormWindow() const {
    return reinterpret_cast<WindowRef>(static_cast<const Fl_Widget*>(top_window()));
}

void CommandButton::PropertyChanged(std::string_view name) {
    if (onChange_) onChange_(name);
}

void CommandButton::Click() {
    if (onClick_) onClick_();
}

}  // namespace velmoran
