// The skinned push button on FLTK: a widget of its own that draws the
// button's back image and caption and hands the button FLTK's events.
#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "saver/backend.h"
#include "saver/controls/face_images.h"
#include "saver/controls/rgb_image.h"
#include "saver/x11_fltk/widgets/fonts.h"
#include "saver/x11_fltk/widgets/widget_under_pointer.h"

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

// The widget belongs to the button, which deletes it. Should the group that
// holds it go first and delete it, the button forgets it.
struct CommandButton::Native : Fl_Widget {
    Native(CommandButton& owner, int x, int y, int w, int h) : Fl_Widget(x, y, w, h), button(owner), back(w, h) {
        box(FL_NO_BOX);
        Fill(back, kBackground);
    }
    ~Native() override {
        Fl::remove_timeout(Tick, this);
        button.native_.release();
    }

    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;
    void draw() override;

    void Pointer(Command::Pointer kind, std::int16_t mouseButton);
    void DrawCaption() const;
    static void Tick(void* self);

    CommandButton& button;
    RgbImage back;
};

CommandButton::CommandButton(WindowRef parent, int x, int y, int width, int height)
    : native_(std::make_unique<Native>(*this, x, y, width, height)) {
    if (Fl_Group* group = parent ? reinterpret_cast<Fl_Widget*>(parent)->as_group() : nullptr) group->add(*native_);
    control_.UserControl_Resize();  // the first face, as a window gets from its first sizing
}

CommandButton::~CommandButton() { delete native_.release(); }

WindowRef CommandButton::Window() const {
    return reinterpret_cast<WindowRef>(static_cast<const Fl_Widget*>(native_.get()));
}

void CommandButton::Focus() {
    if (Fl::focus() != native_.get()) native_->take_focus();
}

int CommandButton::Native::handle(int event) {
    switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
        button.FocusChanged(event == FL_FOCUS);
        return 1;
    case FL_ENTER:
    case FL_MOVE:
    case FL_DRAG:
        Pointer(Command::Pointer::Move, ButtonsHeld());
        return 1;
    case FL_PUSH:
        // FLTK holds back a motion event until its queue is empty, so a press
        // right behind a jump of the pointer comes first. The button hears the
        // pointer arrive before it takes the focus, as it does when the
        // pointer moves there; for a pointer already over it this is no news.
        Pointer(Command::Pointer::Move, ButtonsHeld());
        if (Fl::event_button() == FL_LEFT_MOUSE) button.Focus();
        Pointer(Command::Pointer::Down, ButtonOfEvent());
        return 1;
    case FL_RELEASE:
        Pointer(Command::Pointer::Up, ButtonOfEvent());  // may have closed the form
        return 1;
    case FL_LEAVE:
        return 1;
    }
    return Fl_Widget::handle(event);
}

void CommandButton::Native::Pointer(Command::Pointer kind, std::int16_t mouseButton) {
    button.control_.PointerEvent(kind, mouseButton, ShiftState(), Fl::event_x() - x(), Fl::event_y() - y());
}

void CommandButton::Native::resize(int x, int y, int w, int h) {
    bool resized = w != this->w() || h != this->h();
    Fl_Widget::resize(x, y, w, h);
    if (!resized) return;
    back = RgbImage(w, h);
    Fill(back, kBackground);
    button.control_.UserControl_Resize();
}

void CommandButton::Native::draw() {
    if (button.opaque_ && back.width > 0 && back.height > 0)
        fl_draw_image(back.pixels.data(), x(), y(), back.width, back.height, 3);
    DrawCaption();
}

void CommandButton::Native::DrawCaption() const {
    const CaptionElement& caption = button.caption_;
    PixelRect r = TwipsToPixels(TwipRect{caption.left, caption.top, caption.width, caption.height});
    Fl_Color colour = FltkColour(caption.colour);
    fl_font(FltkFont(caption.font), FontPixelHeight(caption.font));
    fl_color(caption.enabled ? colour : fl_inactive(colour));
    fl_push_clip(x(), y(), w(), h());
    fl_draw(caption.text.c_str(), x() + r.x, y() + r.y, r.w, r.h, FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP,
            nullptr, 0);
    fl_pop_clip();
}

PixelSize CommandButton::InnerSize() const { return {native_->w(), native_->h()}; }

void CommandButton::Clear() { Fill(native_->back, kBackground); }

void CommandButton::FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) {
    FillVerticalGradient(native_->back, vertices, mesh);
}

void CommandButton::CopyFace(FaceImage image, PixelRect source, PixelRect destination) {
    StretchCopy(native_->back, destination, Face(image), source);
}

// A transparent button shows what lies beneath it, which its parent draws.
void CommandButton::Refresh() {
    if (!opaque_ && native_->parent())
        native_->parent()->redraw();
    else
        native_->redraw();
}

void CommandButton::ShowCaption(const CaptionElement& caption) {
    caption_ = caption;
    Refresh();
}

void CommandButton::SetOpaque(bool opaque) {
    opaque_ = opaque;
    if (native_->parent()) native_->parent()->redraw();
}

void CommandButton::RestartTimer() {
    Native* native = native_.get();
    Fl::remove_timeout(Native::Tick, native);
    if (TimerTicks()) Fl::add_timeout(timerInterval_ / 1000.0, Native::Tick, native);
}

void CommandButton::Native::Tick(void* self) {
    auto* native = static_cast<Native*>(self);
    Fl::repeat_timeout(native->button.timerInterval_ / 1000.0, Tick, self);
    native->button.control_.TmrMouse_Timer();
}

WindowRef CommandButton::WindowUnderPointer() const {
    return reinterpret_cast<WindowRef>(WidgetUnderPointer());
}

WindowRef CommandButton::HostFormWindow() const {
    return reinterpret_cast<WindowRef>(static_cast<const Fl_Widget*>(native_->top_window()));
}

}  // namespace velmoran
