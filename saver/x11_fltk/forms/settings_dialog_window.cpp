// The settings dialog "<Velmoran>" on FLTK: the window built from the
// dialog's design, showing what the presenter asks and handing it the user's
// actions.
#include <FL/Fl.H>
#include <FL/x.H>

#include <array>
#include <memory>

#include "saver/backend.h"
#include "saver/dialog/dialog_button_design.h"
#include "saver/program_title.h"
#include "saver/x11_fltk/widgets/dialog_pictures.h"
#include "saver/x11_fltk/widgets/dialog_surfaces.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/forms/fltk_file_chooser.h"
#include "saver/x11_fltk/widgets/fonts.h"
#include "saver/x11_fltk/x/frame_extents.h"
#include "saver/x11_fltk/forms/open_address.h"
#include "saver/x11_fltk/widgets/painted_controls.h"
#include "saver/x11_fltk/widgets/repeat_combo.h"
#include "saver/x11_fltk/forms/zoom.h"

namespace velmoran {

using design::ControlId;
using design::Kind;

struct SettingsDialogWindow::Native {
    void Build();
    void BuildPainted(std::optional<ControlId> container, int originX, int originY);
    void BuildButton(ControlId id, Fl_Group& parent, int originX, int originY, const design::Font& ambient);
    void Connect(SettingsDialog& dialog);
    const FrameExtents& Frame();
    ScreenRect OuterRect();
    void ShowPointer();
    Fl_Widget*& Widget(ControlId id) { return widgets[std::size_t(id)]; }
    CommandButton* Button(ControlId id) const { return buttons[std::size_t(id)].get(); }

    std::unique_ptr<DialogWindow> window;
    DialogPanel* panel = nullptr;
    RepeatCombo* combo = nullptr;
    std::array<Fl_Widget*, design::kControlCount> widgets{};
    // Destroyed before the window, which would otherwise take their widgets with it.
    std::array<std::unique_ptr<CommandButton>, design::kControlCount> buttons;
    PointerShape application = PointerShape::Default;
    std::optional<ControlId> hovered;  // the control under the pointer, where it matters
    // The window manager's frame around the window, asked once before the
    // window is first shown.
    std::optional<FrameExtents> frame;
};

// Without a display there is nothing to show: the window is not built.
SettingsDialogWindow::SettingsDialogWindow() : native_(std::make_unique<Native>()) {
    if (SaverDisplay()) native_->Build();
}

SettingsDialogWindow::~SettingsDialogWindow() = default;

// The window's children are drawn in the order they are added and take the
// pointer in the reverse order: the window-less controls in design order
// first, then the controls with windows of their own, which lie above them.
void SettingsDialogWindow::Native::Build() {
    const design::Form& form = design::kForm;
    window = std::make_unique<DialogWindow>(design::Pixels(form.innerWidth), design::Pixels(form.innerHeight),
                                            form.caption.data(), form.backColour);
    window->xclass("Velmoran");
    if (Fl_RGB_Image* icon = WindowIconPicture()) window->icon(icon);
    BuildPainted(std::nullopt, 0, 0);

    const design::Control& pic = design::ControlOf(ControlId::PicC0);
    const design::Rect p = pic.twips.Pixels();
    panel = new DialogPanel(p.left, p.top, p.width, p.height, pic.backColour.value_or(form.backColour));
    Widget(ControlId::PicC0) = new FocusHolder(p.left, p.top, 0, 0);
    BuildPainted(ControlId::PicC0, p.left, p.top);
    const design::Rect c = design::PixelsOf(ControlId::BgmRepeat);
    combo = new RepeatCombo(p.left + c.left, p.top + c.top, c.width, c.height);
    const ButtonFont comboFont = ToButtonFont(*design::ControlOf(ControlId::BgmRepeat).font);
    combo->SetFont(FltkFont(comboFont), FontPixelHeight(comboFont));
    Widget(ControlId::BgmRepeat) = combo;
    BuildButton(ControlId::CmdFile0, *panel, p.left, p.top, *pic.font);
    panel->end();

    BuildButton(ControlId::CmdSet, *window, 0, 0, design::kGothic);
    BuildButton(ControlId::CmdCan, *window, 0, 0, design::kGothic);
    const design::Rect d = design::PixelsOf(ControlId::PicDummy);
    Widget(ControlId::PicDummy) = new FocusHolder(d.left, d.top, d.width, d.height);
    window->end();
}

// The painted controls of one container, in design order.
void SettingsDialogWindow::Native::BuildPainted(std::optional<ControlId> container, int originX, int originY) {
    for (const design::Control& control : design::kControls) {
        if (control.container != container || !design::Painted(control)) continue;
        if (control.kind == Kind::Label)
            Widget(control.id) = new TransparentLabel(control, originX, originY);
        else if (control.kind == Kind::Image)
            Widget(control.id) = new PictureControl(control, originX, originY);
        else if (control.kind == Kind::Shape)
            Widget(control.id) = new FrameShape(control, originX, originY);
    }
}

void SettingsDialogWindow::Native::BuildButton(ControlId id, Fl_Group& parent, int originX, int originY,
                                               const design::Font& ambient) {
    const design::Rect r = design::PixelsOf(id);
    auto button = std::make_unique<CommandButton>(reinterpret_cast<WindowRef>(static_cast<Fl_Widget*>(&parent)),
                                                  originX + r.left, originY + r.top, r.width, r.height);
    button->SetAmbientFont(ToButtonFont(ambient));
    button->Control().UserControl_ReadProperties(ButtonPropertyBag(design::ControlOf(id)));
    Widget(id) = reinterpret_cast<Fl_Widget*>(button->Window());
    buttons[std::size_t(id)] = std::move(button);
}

bool SettingsDialogWindow::Exists() const { return native_->window != nullptr; }

void SettingsDialogWindow::Connect(SettingsDialog& dialog) { native_->Connect(dialog); }

void SettingsDialogWindow::Native::Connect(SettingsDialog& dialog) {
    window->onClose = [&dialog] { dialog.Unload(); };
    window->onTab = [&dialog](bool backwards) { dialog.MoveFocus(backwards); };
    Button(ControlId::CmdSet)->OnClick([&dialog] { dialog.Cmd_Set_Click(); });
    Button(ControlId::CmdCan)->OnClick([&dialog] { dialog.Cmd_Can_Click(); });
    Button(ControlId::CmdFile0)->OnClick([&dialog] { dialog.Cmd_File_Click(design::ControlOf(ControlId::CmdFile0).index); });
    for (std::size_t i = 0; i < design::kImgBgm.size(); ++i) {
        const int index = int(i);
        static_cast<PaintedControl*>(Widget(design::kImgBgm[i]))->onMouseDown = [&dialog, index](std::int16_t button) {
            dialog.Img_BGM_MouseDown(index, button, 0, 0, 0);
        };
        static_cast<PaintedControl*>(Widget(design::kLblBgm[i]))->onMouseDown = [&dialog, index](std::int16_t button) {
            dialog.lbl_BGM_MouseDown(index, button, 0, 0, 0);
        };
    }
    auto* link = static_cast<PaintedControl*>(Widget(ControlId::LblUrl));
    link->onClick = [&dialog] { dialog.lbl_URL_Click(); };
    link->onHover = [this](bool inside) {
        hovered = inside ? std::optional(ControlId::LblUrl) : std::nullopt;
        ShowPointer();
    };
}

void SettingsDialogWindow::RunUntilClosed(SettingsDialog& dialog) {
    while (!dialog.Unloaded() && native_->window->shown()) Fl::wait();
}

void SettingsDialogWindow::ShowWindow() {
    if (!native_->window->shown()) native_->window->show();
}

void SettingsDialogWindow::PaintWindow() { Fl::flush(); }

// A tab stop's widget holds the focus itself or, as the combo box does, in
// one of its parts.
bool SettingsDialogWindow::HasFocus(ControlId control) { return native_->Widget(control)->contains(Fl::focus()); }

bool SettingsDialogWindow::CanFocus(ControlId control) {
    const Fl_Widget* widget = native_->Widget(control);
    return widget->visible() && widget->active_r();
}

void SettingsDialogWindow::Focus(ControlId control) { native_->Widget(control)->take_focus(); }

const FrameExtents& SettingsDialogWindow::Native::Frame() {
    if (!frame) frame = ExpectedFrame(SaverDisplay(), window->w(), window->h());
    return *frame;
}

// Where the window and its frame will be on the screen.
ScreenRect SettingsDialogWindow::Native::OuterRect() {
    const FrameExtents& f = Frame();
    return {window->x() - f.left, window->y() - f.top, window->x() + window->w() + f.right,
            window->y() + window->h() + f.bottom};
}

TwipSize SettingsDialogWindow::ScreenSize() {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, 0);
    return {double(w) * design::kTwipsPerPixel, double(h) * design::kTwipsPerPixel};
}

// The outer size: the inner area and the frame the window manager will put
// around it, where it tells.
TwipSize SettingsDialogWindow::WindowSize() {
    Native& n = *native_;
    const FrameExtents& f = n.Frame();
    return {double(n.window->w() + f.left + f.right) * design::kTwipsPerPixel,
            double(n.window->h() + f.top + f.bottom) * design::kTwipsPerPixel};
}

// The outer rectangle's top-left corner goes there. FLTK asks the window
// manager to keep the inner area where it is put (static gravity), so the
// inner area goes inside the frame.
void SettingsDialogWindow::MoveWindow(long left, long top) {
    Native& n = *native_;
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, 0);
    const FrameExtents& f = n.Frame();
    n.window->position(x + int(left / design::kTwipsPerPixel) + f.left, y + int(top / design::kTwipsPerPixel) + f.top);
}

void SettingsDialogWindow::InitializeButton(ControlId button) {
    if (CommandButton* b = native_->Button(button)) b->Control().Initialize();
}

void SettingsDialogWindow::SetButtonEnabled(ControlId button, bool enabled) {
    if (CommandButton* b = native_->Button(button)) b->Control().SetEnabled(enabled);
}

void SettingsDialogWindow::SetMarkPicture(ControlId mark, ControlId picture) {
    Fl_Widget* widget = native_->Widget(mark);
    if (design::ControlOf(mark).kind != Kind::Image || !widget) return;
    static_cast<PictureControl*>(widget)->SetPicture(MarkPicture(picture));
}

void SettingsDialogWindow::SetComboEnabled(bool enabled) {
    if (enabled)
        native_->combo->activate();
    else
        native_->combo->deactivate();
}

void SettingsDialogWindow::SetComboText(const std::string& text) { native_->combo->SetText(text); }

std::string SettingsDialogWindow::ComboText() { return native_->combo->Text(); }

void SettingsDialogWindow::AddComboItem(const std::string& text) { native_->combo->Add(text); }

void SettingsDialogWindow::SetFileNameCaption(const std::string& path) {
    static_cast<TransparentLabel*>(native_->Widget(ControlId::LblFname0))->SetCaption(path);
}

std::optional<ScreenPoint> SettingsDialogWindow::PointerPosition() {
    Display* display = SaverDisplay();
    if (!display) return std::nullopt;
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask))
        return std::nullopt;
    return ScreenPoint{rootX, rootY};
}

// As the system's caption zoom, before the window shows.
void SettingsDialogWindow::ZoomOpen(const ZoomAnchor& anchor) {
    if (!native_->window->shown()) velmoran::ZoomOpen(native_->OuterRect(), anchor);
}

void SettingsDialogWindow::ZoomClose(const ZoomAnchor& anchor) {
    if (native_->window->shown()) velmoran::ZoomClose(fl_xid(native_->window.get()), anchor);
}

void SettingsDialogWindow::SetPointer(PointerShape shape) {
    native_->application = shape;
    native_->ShowPointer();
}

// The window's one cursor: FLTK changes it as the pointer crosses the link.
void SettingsDialogWindow::Native::ShowPointer() {
    const PointerShape shape = PointerOver(application, hovered);
    const PointerPicture link = LinkPointerPicture();
    if (shape == PointerShape::Hourglass)
        window->cursor(FL_CURSOR_WAIT);
    else if (shape == PointerShape::Link && link.image)
        window->cursor(link.image, link.hotX, link.hotY);
    else
        window->cursor(FL_CURSOR_DEFAULT);
    if (Display* display = SaverDisplay()) XFlush(display);
}

std::optional<std::string> SettingsDialogWindow::ChooseFile(const FileChooserRequest& request) {
    return ChooseFileToOpen(request);
}

void SettingsDialogWindow::OpenAddress(std::string_view address) { OpenWithDesktop(std::string(address)); }

ScaleSize SettingsDialogWindow::SurfaceSize(DialogSurface surface) {
    const Fl_Widget& widget = surface == DialogSurface::Panel ? static_cast<Fl_Widget&>(*native_->panel)
                                                              : static_cast<Fl_Widget&>(*native_->window);
    return {double(widget.w()), double(widget.h())};
}

void SettingsDialogWindow::DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) {
    Native& n = *native_;
    if (surface == DialogSurface::Panel) {
        n.panel->Back().DrawLines(width, lineColours);
        n.panel->redraw();
    } else {
        n.window->Back().DrawLines(width, lineColours);
        n.window->redraw();
    }
}

// Paths are UTF-8 here, as FLTK shows them.
void SettingsDialogWindow::ShowMessage(const std::string& text, const std::string& path) {
    velmoran::ShowMessage(text + "\n" + path, kProgramTitle);
}

void SettingsDialogWindow::CloseWindow() { native_->window->hide(); }

}  // namespace velmoran
