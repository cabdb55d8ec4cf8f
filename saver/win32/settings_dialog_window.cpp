#include "saver/win32/settings_dialog_window.h"

#include <shellapi.h>

#include "saver/dialog/dialog_button_design.h"
#include "saver/dialog/dialog_tab_order.h"
#include "saver/win32/command_button.h"
#include "saver/win32/dialog_art.h"
#include "saver/win32/file_chooser.h"
#include "saver/win32/painted_window.h"
#include "saver/win32/wide_text.h"
#include "saver/win32/zoom.h"

namespace velmoran {

using design::ControlId;
using design::Kind;

namespace {

// The fixed single border with a title bar and the system's close command.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// Height of the combo box's list when it is dropped down, below its field.
constexpr int kComboListHeight = 200;
// The combo box draws three pixels of border above and below its item.
constexpr int kComboFieldBorders = 6;

int Px(int twips) { return twips / design::kTwipsPerPixel; }

design::Rect PixelsOf(ControlId id) { return design::ControlOf(id).twips.Pixels(); }

COLORREF ToColorRef(const std::optional<RgbColour>& colour) {
    const RgbColour c = colour.value_or(kBlack);
    return RGB(c.red, c.green, c.blue);
}

UINT LabelFormat(const design::Control& control) {
    UINT format = DT_TOP | DT_NOPREFIX | (control.align == design::Align::Centre ? DT_CENTER : DT_LEFT);
    // An auto-sized label is one line as wide as its text; the others break
    // their text into lines within their width.
    return format | (control.autoSize ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL);
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

}  // namespace

Win32SettingsDialogView::Win32SettingsDialogView() {
    LoadArt();
    Build();
}

Win32SettingsDialogView::~Win32SettingsDialogView() {
    for (auto& button : buttons_) button.reset();
    dummy_.reset();
    panel_.reset();
    form_.reset();
    for (auto& [font, handle] : fonts_) DeleteObject(handle);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void Win32SettingsDialogView::LoadArt() {
    for (std::size_t i = 0; i < marks_.size(); ++i)
        marks_[i] = OlePicture::FromAsset(design::ControlOf(design::kImgRa[i]).picture);
    icon_ = LoadIconW(Instance(), MAKEINTRESOURCEW(VELMORAN_ICON));
    smallIcon_ = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(VELMORAN_ICON), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    linkPointer_ = LoadCursorW(Instance(), MAKEINTRESOURCEW(VELMORAN_LINK_POINTER));
}

// Window-less controls are drawn by the window they lie on; the controls
// with windows are its children, created in tab order.
void Win32SettingsDialogView::Build() {
    const design::Form& form = design::kForm;
    form_ = std::make_unique<PaintedWindow>(nullptr, kFormStyle, Widen(form.caption).c_str(), 0, 0,
                                            Px(form.innerWidth), Px(form.innerHeight), form.backColour);
    if (!Form()) return;
    if (icon_) SendMessageW(Form(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    if (smallIcon_) SendMessageW(Form(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    BuildPainted(*form_, std::nullopt);

    const design::Control& panel = design::ControlOf(ControlId::PicC0);
    const design::Rect p = panel.twips.Pixels();
    panel_ = std::make_unique<PaintedWindow>(Form(), kChildStyle | WS_CLIPCHILDREN, L"", p.left, p.top, p.width,
                                             p.height, panel.backColour.value_or(form.backColour));
    BuildPainted(*panel_, ControlId::PicC0);
    BuildCombo();
    BuildButton(ControlId::CmdFile0, panel_->Handle(), *panel.font);

    BuildButton(ControlId::CmdSet, Form(), design::kGothic);
    BuildButton(ControlId::CmdCan, Form(), design::kGothic);
    const design::Rect d = PixelsOf(ControlId::PicDummy);
    dummy_ = std::make_unique<PaintedWindow>(Form(), kChildStyle, L"", d.left, d.top, d.width, d.height,
                                             form.backColour);
}

// Labels, images and shapes of one container, in design order. The pictures
// Img_Ra(0) and Img_Ra(1) lie outside the window and are never seen; their
// pictures are at hand without an item.
void Win32SettingsDialogView::BuildPainted(PaintedWindow& surface, std::optional<ControlId> container) {
    for (const design::Control& control : design::kControls) {
        if (control.container != container) continue;
        if (control.kind != Kind::Label && control.kind != Kind::Image && control.kind != Kind::Shape) continue;
        if (control.id == ControlId::ImgRa0 || control.id == ControlId::ImgRa1) continue;
        const design::Rect r = control.twips.Pixels();
        PaintedItem item;
        item.id = control.id;
        item.kind = control.kind;
        item.rect = {r.left, r.top, r.left + r.width, r.top + r.height};
        item.text = Widen(control.caption);
        item.font = control.font ? FontOf(*control.font) : nullptr;
        item.colour = ToColorRef(control.foreColour);
        item.format = LabelFormat(control);
        surface.Add(std::move(item), control.kind == Kind::Label && control.autoSize);
    }
}

void Win32SettingsDialogView::BuildButton(ControlId id, HWND parent, const design::Font& ambient) {
    const design::Rect r = PixelsOf(id);
    auto button = std::make_unique<CommandButton>(parent, r.left, r.top, r.width, r.height, int(id) + 1);
    button->SetAmbientFont(ToButtonFont(ambient));
    button->Control().UserControl_ReadProperties(ButtonPropertyBag(design::ControlOf(id)));
    buttons_[std::size_t(id)] = std::move(button);
}

void Win32SettingsDialogView::BuildCombo() {
    const design::Control& control = design::ControlOf(ControlId::BgmRepeat);
    const design::Rect r = control.twips.Pixels();
    combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                             r.left, r.top, r.width, r.height + kComboListHeight, panel_->Handle(),
                             reinterpret_cast<HMENU>(INT_PTR(int(ControlId::BgmRepeat) + 1)), Instance(), nullptr);
    if (!combo_) return;
    if (control.font) SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*control.font)), FALSE);
    // The closed box as high as the design has it.
    SendMessageW(combo_, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(r.height - kComboFieldBorders));
}

HFONT Win32SettingsDialogView::FontOf(const design::Font& font) {
    for (const auto& [made, handle] : fonts_)
        if (made == font) return handle;
    const std::wstring face = Widen(font.face);
    HFONT handle = CreateFontW(-FontPixelHeight(ToButtonFont(font)), 0, 0, 0, FW_NORMAL, FALSE, font.underline, FALSE,
                               DWORD(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    fonts_.emplace_back(font, handle);
    return handle;
}

HWND Win32SettingsDialogView::Form() const { return form_ ? form_->Handle() : nullptr; }

void Win32SettingsDialogView::Connect(SettingsDialog& dialog) {
    form_->onClose = [&dialog] { dialog.Unload(); };
    buttons_[std::size_t(ControlId::CmdSet)]->OnClick([&dialog] { dialog.Cmd_Set_Click(); });
    buttons_[std::size_t(ControlId::CmdCan)]->OnClick([&dialog] { dialog.Cmd_Can_Click(); });
    buttons_[std::size_t(ControlId::CmdFile0)]->OnClick(
        [&dialog] { dialog.Cmd_File_Click(design::ControlOf(ControlId::CmdFile0).index); });
    panel_->onMouseDown = [&dialog](ControlId id, std::int16_t button) {
        for (std::size_t i = 0; i < design::kImgBgm.size(); ++i) {
            if (id == design::kImgBgm[i]) dialog.Img_BGM_MouseDown(int(i), button, 0, 0, 0);
            if (id == design::kLblBgm[i]) dialog.lbl_BGM_MouseDown(int(i), button, 0, 0, 0);
        }
    };
    form_->onClick = [&dialog](ControlId id) {
        if (id == ControlId::LblUrl) dialog.lbl_URL_Click();
    };
    const auto pointer = [this](std::optional<ControlId> id) { return PointerOver(id); };
    form_->pointerOver = pointer;
    panel_->pointerOver = pointer;
}

// The application-wide hourglass over everything; otherwise the link's own
// pointer over the link.
HCURSOR Win32SettingsDialogView::PointerOver(std::optional<ControlId> control) const {
    if (busy_) return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
    if (control == ControlId::LblUrl && linkPointer_) return linkPointer_;
    return nullptr;
}

void Win32SettingsDialogView::Run(SettingsDialog& dialog) {
    if (!Form() || !panel_->Handle()) return;
    Connect(dialog);
    dialog.Form_Load();
    ShowWindow(Form(), SW_SHOWNORMAL);
    dialog.Form_Resize();
    UpdateWindow(Form());
    if (HWND first = FocusWindow(TabStops().front())) SetFocus(first);
    RunMessages(dialog);
}

// The dialog is modal: its messages run here until it has gone. Tab and
// Shift+Tab move the focus in the design's order; no other key is the
// dialog's own.
void Win32SettingsDialogView::RunMessages(SettingsDialog& dialog) {
    MSG message;
    while (!dialog.Unloaded() && Form() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool inDialog = message.hwnd == Form() || IsChild(Form(), message.hwnd);
        if (inDialog && message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            GetKeyState(VK_MENU) >= 0) {
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND Win32SettingsDialogView::FocusWindow(ControlId id) const {
    if (id == ControlId::PicC0) return panel_ ? panel_->Handle() : nullptr;
    if (id == ControlId::PicDummy) return dummy_ ? dummy_->Handle() : nullptr;
    if (id == ControlId::BgmRepeat) return combo_;
    const auto& button = buttons_[std::size_t(id)];
    return button ? button->Handle() : nullptr;
}

void Win32SettingsDialogView::MoveFocus(bool backwards) {
    const HWND focus = GetFocus();
    std::optional<ControlId> current;
    for (ControlId id : TabStops()) {
        const HWND window = FocusWindow(id);
        if (window && (window == focus || IsChild(window, focus))) current = id;
    }
    const auto canFocus = [this](ControlId id) {
        const HWND window = FocusWindow(id);
        return window && IsWindowVisible(window) && IsWindowEnabled(window);
    };
    if (const std::optional<ControlId> next = NextTabStop(current, backwards, canFocus)) SetFocus(FocusWindow(*next));
}

TwipSize Win32SettingsDialogView::ScreenSize() {
    return {double(GetSystemMetrics(SM_CXSCREEN)) * design::kTwipsPerPixel,
            double(GetSystemMetrics(SM_CYSCREEN)) * design::kTwipsPerPixel};
}

TwipSize Win32SettingsDialogView::WindowSize() {
    RECT r{};
    GetWindowRect(Form(), &r);
    return {double(r.right - r.left) * design::kTwipsPerPixel, double(r.bottom - r.top) * design::kTwipsPerPixel};
}

void Win32SettingsDialogView::MoveWindow(long left, long top) {
    SetWindowPos(Form(), nullptr, int(left / design::kTwipsPerPixel), int(top / design::kTwipsPerPixel), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32SettingsDialogView::InitializeButton(ControlId button) {
    if (auto& b = buttons_[std::size_t(button)]) b->Control().Initialize();
}

void Win32SettingsDialogView::SetButtonEnabled(ControlId button, bool enabled) {
    if (auto& b = buttons_[std::size_t(button)]) b->Control().SetEnabled(enabled);
}

void Win32SettingsDialogView::SetMarkPicture(ControlId mark, ControlId picture) {
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (picture == design::kImgRa[i]) panel_->SetPicture(mark, marks_[i].Bitmap());
}

void Win32SettingsDialogView::SetComboEnabled(bool enabled) { EnableWindow(combo_, enabled); }

void Win32SettingsDialogView::SetComboText(const std::string& text) { SetWindowTextW(combo_, Widen(text).c_str()); }

std::string Win32SettingsDialogView::ComboText() {
    const int length = GetWindowTextLengthW(combo_);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(combo_, text.data(), length + 1)));
    return Narrow(text);
}

void Win32SettingsDialogView::AddComboItem(const std::string& text) {
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void Win32SettingsDialogView::SetFileNameCaption(const std::string& path) {
    panel_->SetText(ControlId::LblFname0, WidenAnsi(path));
}

std::optional<ScreenPoint> Win32SettingsDialogView::PointerPosition() {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return ScreenPoint{p.x, p.y};
}

void Win32SettingsDialogView::ZoomOpen() { velmoran::ZoomOpen(Form()); }

void Win32SettingsDialogView::ZoomClose() { velmoran::ZoomClose(Form()); }

// The pointer changes at once, over whichever of the dialog's windows it is.
void Win32SettingsDialogView::SetPointer(PointerShape shape) {
    busy_ = shape == PointerShape::Hourglass;
    POINT p;
    if (!GetCursorPos(&p)) return;
    const HWND under = WindowFromPoint(p);
    if (under && (under == Form() || IsChild(Form(), under)))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    else if (busy_)
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
}

std::optional<std::string> Win32SettingsDialogView::ChooseFile(const FileChooserRequest& request) {
    return ChooseFileToOpen(Form(), request);
}

void Win32SettingsDialogView::OpenAddress(std::string_view address) {
    ShellExecuteW(Form(), L"open", Widen(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

ScaleSize Win32SettingsDialogView::SurfaceSize(DialogSurface surface) {
    const SIZE size = surface == DialogSurface::Panel ? panel_->InnerSize() : form_->InnerSize();
    return {double(size.cx), double(size.cy)};
}

void Win32SettingsDialogView::DrawLines(DialogSurface surface, double width,
                                        const std::vector<RgbColour>& lineColours) {
    (surface == DialogSurface::Panel ? panel_ : form_)->DrawLines(width, lineColours);
}

void Win32SettingsDialogView::CloseWindow() {
    if (Form()) DestroyWindow(Form());
}

}  // namespace velmoran
