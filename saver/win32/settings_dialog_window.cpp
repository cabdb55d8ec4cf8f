// The settings dialog "<Velmoran>" on Windows: a top-level window built from
// the dialog's design with the wide-character calls, showing what the
// presenter asks and handing it the user's actions.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "saver/backend.h"
#include "saver/dialog/dialog_button_design.h"
#include "saver/program_title.h"
#include "saver/win32/dialog_art.h"
#include "saver/win32/win32_file_chooser.h"
#include "saver/win32/gdi_font.h"
#include "saver/win32/ole_picture.h"
#include "saver/win32/painted_window.h"
#include "saver/win32/wide_text.h"

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

RECT ToRect(const ScreenRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The zoom is the system's caption animation between the anchor and the window.
void AnimateCaption(HWND window, const ScreenRect& anchor, bool opening) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const RECT anchorRect = ToRect(anchor);
    DrawAnimatedRects(window, IDANI_CAPTION, opening ? &anchorRect : &windowRect, opening ? &windowRect : &anchorRect);
}

}  // namespace

struct SettingsDialogWindow::Native {
    Native() {
        LoadArt();
        Build();
    }
    ~Native();

    void LoadArt();
    void Build();
    void BuildPainted(PaintedWindow& surface, std::optional<ControlId> container);
    void BuildButton(ControlId id, HWND parent, const design::Font& ambient);
    void BuildCombo();
    void Connect(SettingsDialog& dialog);
    HWND FocusWindow(ControlId id) const;
    HWND Form() const { return form ? form->Handle() : nullptr; }
    HFONT FontOf(const design::Font& font);
    HCURSOR CursorOver(std::optional<ControlId> control) const;

    OleSession ole;  // first in, last out: the pictures and the file-open dialog are OLE's
    std::unique_ptr<PaintedWindow> form;
    std::unique_ptr<PaintedWindow> panel;
    std::unique_ptr<PaintedWindow> dummy;
    HWND combo = nullptr;
    std::array<std::unique_ptr<CommandButton>, design::kControlCount> buttons;
    std::vector<std::pair<design::Font, HFONT>> fonts;
    std::array<OlePicture, 2> marks;  // the pictures of Img_Ra(0) and Img_Ra(1)
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR linkPointer = nullptr;
    PointerShape application = PointerShape::Default;
};

SettingsDialogWindow::SettingsDialogWindow() : native_(std::make_unique<Native>()) {}

SettingsDialogWindow::~SettingsDialogWindow() = default;

SettingsDialogWindow::Native::~Native() {
    for (auto& button : buttons) button.reset();
    dummy.reset();
    panel.reset();
    form.reset();
    for (auto& [font, handle] : fonts) DeleteObject(handle);
    if (smallIcon) DestroyIcon(smallIcon);
}

void SettingsDialogWindow::Native::LoadArt() {
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i] = OlePicture::FromAsset(design::ControlOf(design::kImgRa[i]).picture);
    icon = LoadIconW(Instance(), MAKEINTRESOURCEW(VELMORAN_ICON));
    smallIcon = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(VELMORAN_ICON), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    linkPointer = LoadCursorW(Instance(), MAKEINTRESOURCEW(VELMORAN_LINK_POINTER));
}

// Window-less controls are drawn by the window they lie on; the controls
// with windows are its children, created in tab order.
void SettingsDialogWindow::Native::Build() {
    const design::Form& layout = design::kForm;
    form = std::make_unique<PaintedWindow>(nullptr, kFormStyle, Widen(layout.caption).c_str(), 0, 0,
                                           design::Pixels(layout.innerWidth), design::Pixels(layout.innerHeight),
                                           layout.backColour);
    if (!Form()) return;
    if (icon) SendMessageW(Form(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (smallIcon) SendMessageW(Form(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    BuildPainted(*form, std::nullopt);

    const design::Control& pic = design::ControlOf(ControlId::PicC0);
    const design::Rect p = pic.twips.Pixels();
    panel = std::make_unique<PaintedWindow>(Form(), kChildStyle | WS_CLIPCHILDREN, L"", p.left, p.top, p.width,
                                            p.height, pic.backColour.value_or(layout.backColour));
    BuildPainted(*panel, ControlId::PicC0);
    BuildCombo();
    BuildButton(ControlId::CmdFile0, panel->Handle(), *pic.font);

    BuildButton(ControlId::CmdSet, Form(), design::kGothic);
    BuildButton(ControlId::CmdCan, Form(), design::kGothic);
    const design::Rect d = design::PixelsOf(ControlId::PicDummy);
    dummy = std::make_unique<PaintedWindow>(Form(), kChildStyle, L"", d.left, d.top, d.width, d.height,
                                            layout.backColour);
}

// The painted controls of one container, in design order.
void SettingsDialogWindow::Native::BuildPainted(PaintedWindow& surface, std::optional<ControlId> container) {
    for (const design::Control& control : design::kControls) {
        if (control.container != container || !design::Painted(control)) continue;
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

void SettingsDialogWindow::Native::BuildButton(ControlId id, HWND parent, const design::Font& ambient) {
    const design::Rect r = design::PixelsOf(id);
    auto button = std::make_unique<CommandButton>(reinterpret_cast<WindowRef>(parent), r.left, r.top, r.width,
                                                  r.height);
    button->SetAmbientFont(ToButtonFont(ambient));
    button->Control().UserControl_ReadProperties(ButtonPropertyBag(design::ControlOf(id)));
    buttons[std::size_t(id)] = std::move(button);
}

void SettingsDialogWindow::Native::BuildCombo() {
    const design::Control& control = design::ControlOf(ControlId::BgmRepeat);
    const design::Rect r = control.twips.Pixels();
    combo = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            r.left, r.top, r.width, r.height + kComboListHeight, panel->Handle(),
                            reinterpret_cast<HMENU>(INT_PTR(int(ControlId::BgmRepeat) + 1)), Instance(), nullptr);
    if (!combo) return;
    if (control.font) SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*control.font)), FALSE);
    // The closed box as high as the design has it.
    SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(r.height - kComboFieldBorders));
}

// Each of the design's fonts is made once and kept while the dialog lasts.
HFONT SettingsDialogWindow::Native::FontOf(const design::Font& font) {
    for (const auto& [made, handle] : fonts)
        if (made == font) return handle;
    HFONT handle = MakeFont(ToButtonFont(font));
    fonts.emplace_back(font, handle);
    return handle;
}

bool SettingsDialogWindow::Exists() const { return native_->Form() && native_->panel->Handle(); }

void SettingsDialogWindow::Connect(SettingsDialog& dialog) { native_->Connect(dialog); }

void SettingsDialogWindow::Native::Connect(SettingsDialog& dialog) {
    form->onClose = [&dialog] { dialog.Unload(); };
    buttons[std::size_t(ControlId::CmdSet)]->OnClick([&dialog] { dialog.Cmd_Set_Click(); });
    buttons[std::size_t(ControlId::CmdCan)]->OnClick([&dialog] { dialog.Cmd_Can_Click(); });
    buttons[std::size_t(ControlId::CmdFile0)]->OnClick(
        [&dialog] { dialog.Cmd_File_Click(design::ControlOf(ControlId::CmdFile0).index); });
    panel->onMouseDown = [&dialog](ControlId id, std::int16_t button) {
        for (std::size_t i = 0; i < design::kImgBgm.size(); ++i) {
            if (id == design::kImgBgm[i]) dialog.Img_BGM_MouseDown(int(i), button, 0, 0, 0);
            if (id == design::kLblBgm[i]) dialog.lbl_BGM_MouseDown(int(i), button, 0, 0, 0);
        }
    };
    form->onClick = [&dialog](ControlId id) {
        if (id == ControlId::LblUrl) dialog.lbl_URL_Click();
    };
    const auto pointer = [this](std::optional<ControlId> id) { return CursorOver(id); };
    form->pointerOver = pointer;
    panel->pointerOver = pointer;
}

// Null: the window class's own cursor, the arrow.
HCURSOR SettingsDialogWindow::Native::CursorOver(std::optional<ControlId> control) const {
    switch (PointerOver(application, control)) {
    case PointerShape::Hourglass: return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
    case PointerShape::Link: return linkPointer;
    case PointerShape::Default: break;
    }
    return nullptr;
}

// The dialog is modal: its messages run here until it has gone. Tab and
// Shift+Tab go to the dialog; no other key is the dialog's own.
void SettingsDialogWindow::RunUntilClosed(SettingsDialog& dialog) {
    const Native& n = *native_;
    MSG message;
    while (!dialog.Unloaded() && n.Form() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool inDialog = message.hwnd == n.Form() || IsChild(n.Form(), message.hwnd);
        if (inDialog && message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            GetKeyState(VK_MENU) >= 0) {
            dialog.MoveFocus(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND SettingsDialogWindow::Native::FocusWindow(ControlId id) const {
    if (id == ControlId::PicC0) return panel ? panel->Handle() : nullptr;
    if (id == ControlId::PicDummy) return dummy ? dummy->Handle() : nullptr;
    if (id == ControlId::BgmRepeat) return combo;
    const auto& button = buttons[std::size_t(id)];
    return button ? reinterpret_cast<HWND>(button->Window()) : nullptr;
}

void SettingsDialogWindow::ShowWindow() { ::ShowWindow(native_->Form(), SW_SHOWNORMAL); }

void SettingsDialogWindow::PaintWindow() { UpdateWindow(native_->Form()); }

// The combo box's edit field is a child of the combo box.
bool SettingsDialogWindow::HasFocus(ControlId control) {
    const HWND window = native_->FocusWindow(control);
    const HWND focus = GetFocus();
    return window && (window == focus || IsChild(window, focus));
}

bool SettingsDialogWindow::CanFocus(ControlId control) {
    const HWND window = native_->FocusWindow(control);
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

void SettingsDialogWindow::Focus(ControlId control) {
    if (const HWND window = native_->FocusWindow(control)) SetFocus(window);
}

TwipSize SettingsDialogWindow::ScreenSize() {
    return {double(GetSystemMetrics(SM_CXSCREEN)) * design::kTwipsPerPixel,
            double(GetSystemMetrics(SM_CYSCREEN)) * design::kTwipsPerPixel};
}

TwipSize SettingsDialogWindow::WindowSize() {
    RECT r{};
    GetWindowRect(native_->Form(), &r);
    return {double(r.right - r.left) * design::kTwipsPerPixel, double(r.bottom - r.top) * design::kTwipsPerPixel};
}

void SettingsDialogWindow::MoveWindow(long left, long top) {
    SetWindowPos(native_->Form(), nullptr, int(left / design::kTwipsPerPixel), int(top / design::kTwipsPerPixel), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialogWindow::InitializeButton(ControlId button) {
    if (auto& b = native_->buttons[std::size_t(button)]) b->Control().Initialize();
}

void SettingsDialogWindow::SetButtonEnabled(ControlId button, bool enabled) {
    if (auto& b = native_->buttons[std::size_t(button)]) b->Control().SetEnabled(enabled);
}

void SettingsDialogWindow::SetMarkPicture(ControlId mark, ControlId picture) {
    Native& n = *native_;
    for (std::size_t i = 0; i < n.marks.size(); ++i)
        if (picture == design::kImgRa[i]) n.panel->SetPicture(mark, n.marks[i].Bitmap());
}

void SettingsDialogWindow::SetComboEnabled(bool enabled) { EnableWindow(native_->combo, enabled); }

void SettingsDialogWindow::SetComboText(const std::string& text) {
    SetWindowTextW(native_->combo, Widen(text).c_str());
}

std::string SettingsDialogWindow::ComboText() {
    const HWND combo = native_->combo;
    const int length = GetWindowTextLengthW(combo);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(combo, text.data(), length + 1)));
    return Narrow(text);
}

void SettingsDialogWindow::AddComboItem(const std::string& text) {
    SendMessageW(native_->combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void SettingsDialogWindow::SetFileNameCaption(const std::string& path) {
    native_->panel->SetText(ControlId::LblFname0, WidenAnsi(path));
}

std::optional<ScreenPoint> SettingsDialogWindow::PointerPosition() {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return ScreenPoint{p.x, p.y};
}

void SettingsDialogWindow::ZoomOpen(const ZoomAnchor& anchor) {
    AnimateCaption(native_->Form(), AnchorRect(anchor), true);
}

void SettingsDialogWindow::ZoomClose(const ZoomAnchor& anchor) {
    AnimateCaption(native_->Form(), AnchorRect(anchor), false);
}

// The pointer changes at once, over whichever of the dialog's windows it is.
void SettingsDialogWindow::SetPointer(PointerShape shape) {
    Native& n = *native_;
    n.application = shape;
    POINT p;
    if (!GetCursorPos(&p)) return;
    const HWND under = WindowFromPoint(p);
    if (under && (under == n.Form() || IsChild(n.Form(), under)))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    else if (const HCURSOR cursor = n.CursorOver(std::nullopt))
        SetCursor(cursor);
}

std::optional<std::string> SettingsDialogWindow::ChooseFile(const FileChooserRequest& request) {
    return ChooseFileToOpen(native_->Form(), request);
}

void SettingsDialogWindow::OpenAddress(std::string_view address) {
    ShellExecuteW(native_->Form(), L"open", Widen(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

ScaleSize SettingsDialogWindow::SurfaceSize(DialogSurface surface) {
    const Native& n = *native_;
    const SIZE size = surface == DialogSurface::Panel ? n.panel->InnerSize() : n.form->InnerSize();
    return {double(size.cx), double(size.cy)};
}

void SettingsDialogWindow::DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) {
    Native& n = *native_;
    (surface == DialogSurface::Panel ? n.panel : n.form)->DrawLines(width, lineColours);
}

void SettingsDialogWindow::ShowMessage(const std::string& text, const std::string& path) {
    const std::wstring message = Widen(text) + L"\n" + WidenAnsi(path);
    MessageBoxW(native_->Form(), message.c_str(), Widen(kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void SettingsDialogWindow::CloseWindow() {
    if (const HWND form = native_->Form()) DestroyWindow(form);
}

}  // namespace velmoran
