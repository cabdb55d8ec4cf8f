#include "saver/win32/command_button.h"

#include <windowsx.h>

#include "saver/win32/face_bitmaps.h"
#include "saver/win32/wide_text.h"

namespace velmoran {
namespace {

constexpr wchar_t kClassName[] = L"VelmoranCommand";
constexpr UINT_PTR kPointerWatch = 1;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

std::int16_t ShiftState(WPARAM wParam) {
    return std::int16_t((wParam & MK_SHIFT ? kShiftMask : 0) | (wParam & MK_CONTROL ? kCtrlMask : 0) |
                        (GetKeyState(VK_MENU) < 0 ? kAltMask : 0));
}

std::int16_t ButtonsHeld(WPARAM wParam) {
    return std::int16_t((wParam & MK_LBUTTON ? kLeftButton : 0) | (wParam & MK_RBUTTON ? kRightButton : 0) |
                        (wParam & MK_MBUTTON ? kMiddleButton : 0));
}

HFONT MakeFont(const ButtonFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = -FontPixelHeight(font);
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = BYTE(font.charset);
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring name = Widen(font.name);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace

CommandButton::CommandButton(HWND parent, int x, int y, int width, int height, int id) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return;
    // WM_CREATE and the first WM_SIZE, which paints the first face, arrive
    // before CreateWindowExW returns; WM_NCCREATE attaches the window first.
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width,
                    height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), Instance(), this);
}

CommandButton::~CommandButton() {
    if (hwnd_) DestroyWindow(hwnd_);
    FreeBackImage();
    if (font_) DeleteObject(font_);
}

void CommandButton::Focus() {
    if (hwnd_ && GetFocus() != hwnd_) SetFocus(hwnd_);
}

LRESULT CALLBACK CommandButton::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CommandButton*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CommandButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT CommandButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        Pointer(Command::Pointer::Move, ButtonsHeld(wParam), wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        Focus();
        SetCapture(hwnd_);
        Pointer(Command::Pointer::Down, kLeftButton, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(hwnd_);
        Pointer(Command::Pointer::Down, message == WM_RBUTTONDOWN ? kRightButton : kMiddleButton, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        PointerUp(kLeftButton, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        PointerUp(kRightButton, wParam, lParam);
        return 0;
    case WM_MBUTTONUP:
        PointerUp(kMiddleButton, wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        control_.UserControl_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        control_.UserControl_LostFocus();
        return 0;
    case WM_SIZE:
        MakeBackImage(LOWORD(lParam), HIWORD(lParam));
        control_.UserControl_Resize();
        return 0;
    case WM_TIMER:
        if (wParam == kPointerWatch) control_.TmrMouse_Timer();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(hwnd_, kPointerWatch);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void CommandButton::Pointer(Command::Pointer kind, std::int16_t button, WPARAM wParam, LPARAM lParam) {
    control_.PointerEvent(kind, button, ShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// The release is the last thing the button handles: the click it may raise
// can destroy the button.
void CommandButton::PointerUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
    if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
    Pointer(Command::Pointer::Up, button, wParam, lParam);
}

void CommandButton::MakeBackImage(int width, int height) {
    FreeBackImage();
    size_ = {width, height};
    HDC screen = GetDC(hwnd_);
    backDc_ = CreateCompatibleDC(screen);
    backBitmap_ = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(hwnd_, screen);
    if (backDc_ && backBitmap_) oldBitmap_ = SelectObject(backDc_, backBitmap_);
    Clear();
}

void CommandButton::FreeBackImage() {
    if (backDc_ && oldBitmap_) SelectObject(backDc_, oldBitmap_);
    if (backBitmap_) DeleteObject(backBitmap_);
    if (backDc_) DeleteDC(backDc_);
    backDc_ = nullptr;
    backBitmap_ = nullptr;
    oldBitmap_ = nullptr;
}

void CommandButton::Paint(HDC dc) {
    if (opaque_ && backDc_)
        BitBlt(dc, 0, 0, size_.w, size_.h, backDc_, 0, 0, SRCCOPY);
    else
        PaintParentBackground(dc);
    PaintCaption(dc);
}

// A transparent button lets its parent paint the area it covers.
void CommandButton::PaintParentBackground(HDC dc) {
    HWND parent = GetParent(hwnd_);
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT old;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

// The caption has no background of its own. Disabled, it takes the system's
// greyed look: grey text over a highlight one pixel down and right.
void CommandButton::PaintCaption(HDC dc) {
    if (!font_ || !(fontMade_ == caption_.font)) {
        if (font_) DeleteObject(font_);
        font_ = MakeFont(caption_.font);
        fontMade_ = caption_.font;
    }
    PixelRect p = TwipsToPixels(TwipRect{caption_.left, caption_.top, caption_.width, caption_.height});
    RECT r{p.x, p.y, p.x + p.w, p.y + p.h};
    std::wstring text = Widen(caption_.text);
    const UINT format = DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP;
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    if (caption_.enabled) {
        SetTextColor(dc, COLORREF(caption_.colour & 0xFFFFFF));
        DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
    } else {
        RECT shadow{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), int(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
    }
    SelectObject(dc, oldFont);
}

void CommandButton::Clear() {
    if (!backDc_) return;
    RECT all{0, 0, size_.w, size_.h};
    FillRect(backDc_, &all, GetSysColorBrush(COLOR_BTNFACE));
}

void CommandButton::FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) {
    if (!backDc_) return;
    TRIVERTEX v[2];
    for (int i = 0; i < 2; ++i)
        v[i] = {LONG(vertices[i].x), LONG(vertices[i].y), COLOR16(vertices[i].red), COLOR16(vertices[i].green),
                COLOR16(vertices[i].blue), COLOR16(vertices[i].alpha)};
    GRADIENT_RECT rect{mesh.upperLeft, mesh.lowerRight};
    GradientFill(backDc_, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void CommandButton::CopyFace(FaceImage image, PixelRect source, PixelRect destination) {
    HDC face = FaceDc(image);
    if (!backDc_ || !face) return;
    StretchBlt(backDc_, destination.x, destination.y, destination.w, destination.h, face, source.x, source.y,
               source.w, source.h, SRCCOPY);
}

void CommandButton::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void CommandButton::ShowCaption(const CaptionElement& caption) {
    caption_ = caption;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CommandButton::SetOpaque(bool opaque) {
    opaque_ = opaque;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CommandButton::SetTimerEnabled(bool enabled) {
    timerEnabled_ = enabled;
    RestartTimer();
}

void CommandButton::SetTimerInterval(int milliseconds) {
    interval_ = UINT(milliseconds > 0 ? milliseconds : 0);
    RestartTimer();
}

// Like a form timer, it ticks only while enabled with an interval above 0.
void CommandButton::RestartTimer() {
    if (!hwnd_) return;
    KillTimer(hwnd_, kPointerWatch);
    if (timerEnabled_ && interval_ > 0) SetTimer(hwnd_, kPointerWatch, interval_, nullptr);
}

WindowRef CommandButton::WindowUnderPointer() const {
    POINT p;
    if (!GetCursorPos(&p)) return 0;
    return reinterpret_cast<WindowRef>(WindowFromPoint(p));
}

WindowRef CommandButton::OwnWindow() const { return reinterpret_cast<WindowRef>(hwnd_); }

WindowRef CommandButton::HostFormWindow() const { return reinterpret_cast<WindowRef>(GetAncestor(hwnd_, GA_ROOT)); }

void CommandButton::PropertyChanged(std::string_view name) {
    if (onChange_) onChange_(name);
}

void CommandButton::Click() {
    if (onClick_) onClick_();
}

}  // namespace velmoran
