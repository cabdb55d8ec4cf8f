#include "saver/x11_fltk/settings_dialog_window.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "saver/dialog/dialog_button_design.h"
#include "saver/dialog/dialog_tab_order.h"
#include "saver/x11_fltk/command_button.h"
#include "saver/x11_fltk/dialog_pictures.h"
#include "saver/x11_fltk/dialog_surfaces.h"
#include "saver/x11_fltk/display.h"
#include "saver/x11_fltk/file_chooser.h"
#include "saver/x11_fltk/fonts.h"
#include "saver/x11_fltk/open_address.h"
#include "saver/x11_fltk/painted_controls.h"
#include "saver/x11_fltk/repeat_combo.h"
#include "saver/x11_fltk/zoom.h"

namespace velmoran {

using design::ControlId;
using design::Kind;

namespace {

int Px(int twips) { return twips / design::kTwipsPerPixel; }

design::Rect PixelsOf(ControlId id) { return design::ControlOf(id).twips.Pixels(); }

}  // namespace

X11SettingsDialogView::X11SettingsDialogView() { Build(); }

X11SettingsDialogView::~X11SettingsDialogView() = default;

// The window's children are drawn in the order they are added and take the
// pointer in the reverse order: the window-less controls in design order
// first, then the controls with windows of their own, which lie above them.
void X11SettingsDialogView::Build() {
    const design::Form& form = design::kForm;
    window_ = std::make_unique<DialogWindow>(Px(form.innerWidth), Px(form.innerHeight), form.caption.data(),
                                             form.backColour);
    window_->xclass("Velmoran");
    if (Fl_RGB_Image* icon = WindowIconPicture()) window_->icon(icon);
    BuildPainted(std::nullopt, 0, 0);

    const design::Control& panel = design::ControlOf(ControlId::PicC0);
    const design::Rect p = panel.twips.Pixels();
    panel_ = new DialogPanel(p.left, p.top, p.width, p.height, panel.backColour.value_or(form.backColour));
    Widget(ControlId::PicC0) = new FocusHolder(p.left, p.top, 0, 0);
    BuildPainted(ControlId::PicC0, p.left, p.top);
    const design::Rect c = PixelsOf(ControlId::BgmRepeat);
    combo_ = new RepeatCombo(p.left + c.left, p.top + c.top, c.width, c.height);
    const Fl_Font comboFont = FltkFont(ToButtonFont(*design::ControlOf(ControlId::BgmRepeat).font));
    const int comboSize = FontPixelHeight(ToButtonFont(*design::ControlOf(ControlId::BgmRepeat).font));
    combo_->textfont(comboFont);
    combo_->textsize(comboSize);
    combo_->menubutton()->textfont(comboFont);
    combo_->menubutton()->textsize(comboSize);
    Widget(ControlId::BgmRepeat) = combo_;
    BuildButton(ControlId::CmdFile0, p.left, p.top, *panel.font);
    panel_->end();

    BuildButton(ControlId::CmdSet, 0, 0, design::kGothic);
    BuildButton(ControlId::CmdCan, 0, 0, design::kGothic);
    const design::Rect d = PixelsOf(ControlId::PicDummy);
    Widget(ControlId::PicDummy) = new FocusHolder(d.left, d.top, d.width, d.height);
    window_->end();
}

// Labels, images and shapes of one container, in design order. The pictures
// Img_Ra(0) and Img_Ra(1) lie outside the window and are never seen; their
// pictures are at hand without a widget.
void X11SettingsDialogView::BuildPainted(std::optional<ControlId> container, int originX, int originY) {
    for (const design::Control& control : design::kControls) {
        if (control.container != container) continue;
        if (control.id == ControlId::ImgRa0 || control.id == ControlId::ImgRa1) continue;
        if (control.kind == Kind::Label)
            Widget(control.id) = new TransparentLabel(control, originX, originY);
        else if (control.kind == Kind::Image)
            Widget(control.id) = new PictureControl(control, originX, originY);
        else if (control.kind == Kind::Shape)
            Widget(control.id) = new FrameShape(control, originX, originY);
    }
}

CommandButton* X11SettingsDialogView::BuildButton(ControlId id, int originX, int originY,
                                                  const design::Font& ambient) {
    const design::Rect r = PixelsOf(id);
    auto* button = new CommandButton(originX + r.left, originY + r.top, r.width, r.height);
    button->SetAmbientFont(ToButtonFont(ambient));
    button->Control().UserControl_ReadProperties(ButtonPropertyBag(design::ControlOf(id)));
    Widget(id) = button;
    return button;
}

CommandButton* X11SettingsDialogView::Button(ControlId id) const {
    return design::ControlOf(id).kind == Kind::PushButton ? static_cast<CommandButton*>(Widget(id)) : nullptr;
}

void X11SettingsDialogView::Connect(SettingsDialog& dialog) {
    window_->onClose = [&dialog] { dialog.Unload(); };
    window_->onTab = [this](bool backwards) { MoveFocus(backwards); };
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
        overLink_ = inside;
        ShowPointer();
    };
}

void X11SettingsDialogView::Run(SettingsDialog& dialog) {
    Connect(dialog);
    dialog.Form_Load();
    ShowWindow();
    dialog.Form_Resize();
    Widget(TabStops().front())->take_focus();
    while (!dialog.Unloaded() && window_->shown()) Fl::wait();
}

// The window appears where the placement put it; the zoom needs it on the
// screen to find its frame.
void X11SettingsDialogView::ShowWindow() {
    if (window_->shown()) return;
    window_->show();
    Display* display = SaverDisplay();
    if (display) XSync(display, False);
}

void X11SettingsDialogView::MoveFocus(bool backwards) {
    std::optional<ControlId> current;
    for (ControlId id : TabStops())
        if (Widget(id)->contains(Fl::focus())) current = id;
    const auto canFocus = [this](ControlId id) { return Widget(id)->visible() && Widget(id)->active_r(); };
    if (const std::optional<ControlId> next = NextTabStop(current, backwards, canFocus)) Widget(*next)->take_focus();
}

TwipSize X11SettingsDialogView::ScreenSize() {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, 0);
    return {double(w) * design::kTwipsPerPixel, double(h) * design::kTwipsPerPixel};
}

// Before the window is first shown its frame is not known; the window
// manager adds it around the inner area.
TwipSize X11SettingsDialogView::WindowSize() {
    return {double(window_->w()) * design::kTwipsPerPixel, double(window_->h()) * design::kTwipsPerPixel};
}

void X11SettingsDialogView::MoveWindow(long left, long top) {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, 0);
    window_->position(x + int(left / design::kTwipsPerPixel), y + int(top / design::kTwipsPerPixel));
}

void X11SettingsDialogView::InitializeButton(ControlId button) {
    if (CommandButton* b = Button(button)) b->Control().Initialize();
}

void X11SettingsDialogView::SetButtonEnabled(ControlId button, bool enabled) {
    if (CommandButton* b = Button(button)) b->Control().SetEnabled(enabled);
}

void X11SettingsDialogView::SetMarkPicture(ControlId mark, ControlId picture) {
    if (design::ControlOf(mark).kind != Kind::Image || !Widget(mark)) return;
    static_cast<PictureControl*>(Widget(mark))->SetPicture(MarkPicture(picture));
}

void X11SettingsDialogView::SetComboEnabled(bool enabled) {
    if (enabled)
        combo_->activate();
    else
        combo_->deactivate();
}

void X11SettingsDialogView::SetComboText(const std::string& text) { combo_->value(text.c_str()); }

std::string X11SettingsDialogView::ComboText() {
    const char* text = combo_->value();
    return text ? text : "";
}

// FLTK's menus read '/', '\\' and a leading '_' as making submenus and
// dividers. An entry equal to an earlier one is not added again.
void X11SettingsDialogView::AddComboItem(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '/' || c == '\\' || (c == '_' && escaped.empty())) escaped += '\\';
        escaped += c;
    }
    combo_->menubutton()->insert(-1, escaped.c_str(), 0, nullptr);
}

void X11SettingsDialogView::SetFileNameCaption(const std::string& path) {
    static_cast<TransparentLabel*>(Widget(ControlId::LblFname0))->SetCaption(path);
}

std::optional<ScreenPoint> X11SettingsDialogView::PointerPosition() {
    Display* display = SaverDisplay();
    if (!display) return std::nullopt;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask))
        return std::nullopt;
    return ScreenPoint{rootX, rootY};
}

void X11SettingsDialogView::ZoomOpen() {
    ShowWindow();
    velmoran::ZoomOpen(fl_xid(window_.get()));
}

void X11SettingsDialogView::ZoomClose() {
    if (window_->shown()) velmoran::ZoomClose(fl_xid(window_.get()));
}

void X11SettingsDialogView::SetPointer(PointerShape shape) {
    busy_ = shape == PointerShape::Hourglass;
    ShowPointer();
}

// The application-wide hourglass over everything; otherwise the link's own
// pointer over the link.
void X11SettingsDialogView::ShowPointer() {
    const PointerPicture link = LinkPointerPicture();
    if (busy_)
        window_->cursor(FL_CURSOR_WAIT);
    else if (overLink_ && link.image)
        window_->cursor(link.image, link.hotX, link.hotY);
    else
        window_->cursor(FL_CURSOR_DEFAULT);
    if (Display* display = SaverDisplay()) XFlush(display);
}

std::optional<std::string> X11SettingsDialogView::ChooseFile(const FileChooserRequest& request) {
    return ChooseFileToOpen(request);
}

void X11SettingsDialogView::OpenAddress(std::string_view address) { OpenWithDesktop(std::string(address)); }

ScaleSize X11SettingsDialogView::SurfaceSize(DialogSurface surface) {
    if (surface == DialogSurface::Panel) return {double(panel_->w()), double(panel_->h())};
    return {double(window_->w()), double(window_->h())};
}

void X11SettingsDialogView::DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) {
    if (surface == DialogSurface::Panel) {
        panel_->Back().DrawLines(width, lineColours);
        panel_->redraw();
    } else {
        window_->Back().DrawLines(width, lineColours);
        window_->redraw();
    }
}

void X11SettingsDialogView::CloseWindow() { window_->hide(); }

}  // namespace velmoran
