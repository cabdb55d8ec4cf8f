// The skinned push button on Windows: a child window of its own class
// ("VelmoranCommand"), which takes the keyboard focus, sits in its parent's
// tab order (WS_TABSTOP, in creation order) and is what WindowFromPoint finds.
#include <windows.h>
#include <windowsx.h>

#include "saver/backend.h"
#include "saver/win32/face_bitmaps.h"
#include "saver/win32/gdi_font.h"
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

// The mouse button a button message is about.
std::int16_t ButtonOfMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return kRightButton;
    default: return kMiddleButton;
    }
}

}  // namespace

struct CommandButton::Native {
    explicit Native(CommandButton& owner) : button(owner) {}
    ~Native() {
        if (hwnd) DestroyWindow(hwnd);
        FreeBackImage();
        if (font) DeleteObject(font);
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Pointer(Command::Pointer kind, std::int16_t mouseButton, WPARAM wParam, LPARAM lParam);
    void PointerUp(std::int16_t mouseButton, WPARAM wParam, LPARAM lParam);
    void MakeBackImage(int width, int height);
    void FreeBackImage();
    void Paint(HDC dc);
    void PaintParentBackground(HDC dc);
    void PaintCaption(HDC dc);

    CommandButton& button;
    HWND hwnd = nullptr;
    PixelSize size;
    HDC backDc = nullptr;
    HBITMAP backBitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    HFONT font = nullptr;
    ButtonFont fontMade;
};

CommandButton::CommandButton(WindowRef parent, int x, int y, int width, int height)
    : native_(std::make_unique<Native>(*this)) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Native::WindowProc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return;
    // WM_CREATE and the first WM_SIZE, which paints the first face, arrive
    // before CreateWindowExW returns; WM_NCCREATE attaches the window first.
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width, height,
                    reinterpret_cast<HWND>(parent), nullptr, Instance(), native_.get());
}

// The window goes first: its last messages still reach the control.
CommandButton::~CommandButton() { native_.reset(); }

WindowRef CommandButton::Window() const { return reinterpret_cast<WindowRef>(native_->hwnd); }

void CommandButton::Focus() {
    const HWND hwnd = native_->hwnd;
    if (hwnd && GetFocus() != hwnd) SetFocus(hwnd);
}

LRESULT CALLBACK CommandButton::Native::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Native*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT CommandButton::Native::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    Command& control = button.control_;
    switch (message) {
    case WM_MOUSEMOVE:
        Pointer(Command::Pointer::Move, ButtonsHeld(wParam), wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        button.Focus();
        [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(hwnd);
        Pointer(Command::Pointer::Down, ButtonOfMessage(message), wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        PointerUp(ButtonOfMessage(message), wParam, lParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        button.FocusChanged(message == WM_SETFOCUS);
        return 0;
    case WM_SIZE:
        MakeBackImage(LOWORD(lParam), HIWORD(lParam));
        control.UserControl_Resize();
        return 0;
    case WM_TIMER:
        if (wParam == kPointerWatch) control.TmrMouse_Timer();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(hwnd, kPointerWatch);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void CommandButton::Native::Pointer(Command::Pointer kind, std::int16_t mouseButton, WPARAM wParam, LPARAM lParam) {
    button.control_.PointerEvent(kind, mouseButton, ShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// The release is the last thing the button handles: the click it may raise
// can close the form, and the button's window with it.
void CommandButton::Native::PointerUp(std::int16_t mouseButton, WPARAM wParam, LPARAM lParam) {
    if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
    Pointer(Command::Pointer::Up, mouseButton, wParam, lParam);
}

void CommandButton::Native::MakeBackImage(int width, int height) {
    FreeBackImage();
    size = {width, height};
    HDC screen = GetDC(hwnd);
    backDc = CreateCompatibleDC(screen);
    backBitmap = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(hwnd, screen);
    if (backDc && backBitmap) oldBitmap = SelectObject(backDc, backBitmap);
    button.Clear();
}

void CommandButton::Native::FreeBackImage() {
    if (backDc && oldBitmap) SelectObject(backDc, oldBitmap);
    if (backBitmap) DeleteObject(backBitmap);
    if (backDc) DeleteDC(backDc);
    backDc = nullptr;
    backBitmap = nullptr;
    oldBitmap = nullptr;
}

void CommandButton::Native::Paint(HDC dc) {
    if (button.opaque_ && backDc)
        BitBlt(dc, 0, 0, size.w, size.h, backDc, 0, 0, SRCCOPY);
    else
        PaintParentBackground(dc);
    PaintCaption(dc);
}

// A transparent button lets its parent paint the area it covers.
void CommandButton::Native::PaintParentBackground(HDC dc) {
    HWND parent = GetParent(hwnd);
    POINT origin{0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    POINT old;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

// The caption has no background of its own. Disabled, it takes the system's
// greyed look: grey text over a highlight one pixel down and right.
void CommandButton::Native::PaintCaption(HDC dc) {
    const CaptionElement& caption = button.caption_;
    if (!font || !(fontMade == caption.font)) {
        if (font) DeleteObject(font);
        font = MakeFont(caption.font);
        fontMade = caption.font;
    }
    PixelRect p = TwipsToPixels(TwipRect{caption.left, caption.top, caption.width, caption.height});
    RECT r{p.x, p.y, p.x + p.w, p.y + p.h};
    std::wstring text = Widen(caption.text);
    const UINT format = DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP;
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (caption.enabled) {
        SetTextColor(dc, COLORREF(caption.colour & 0xFFFFFF));
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

PixelSize CommandButton::InnerSize() const { return native_->size; }

void CommandButton::Clear() {
    const Native& n = *native_;
    if (!n.backDc) return;
    RECT all{0, 0, n.size.w, n.size.h};
    FillRect(n.backDc, &all, GetSysColorBrush(COLOR_BTNFACE));
}

void CommandButton::FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) {
    if (!native_->backDc) return;
    TRIVERTEX v[2];
    for (int i = 0; i < 2; ++i)
        v[i] = {LONG(vertices[i].x), LONG(vertices[i].y), COLOR16(vertices[i].red), COLOR16(vertices[i].green),
                COLOR16(vertices[i].blue), COLOR16(vertices[i].alpha)};
    GRADIENT_RECT rect{mesh.upperLeft, mesh.lowerRight};
    GradientFill(native_->backDc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void CommandButton::CopyFace(FaceImage image, PixelRect source, PixelRect destination) {
    HDC face = FaceDc(image);
    if (!native_->backDc || !face) return;
    StretchBlt(native_->backDc, destination.x, destination.y, destination.w, destination.h, face, source.x, source.y,
               source.w, source.h, SRCCOPY);
}

void CommandButton::Refresh() {
    const HWND hwnd = native_->hwnd;
    if (!hwnd) return;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void CommandButton::ShowCaption(const CaptionElement& caption) {
    caption_ = caption;
    if (native_->hwnd) InvalidateRect(native_->hwnd, nullptr, FALSE);
}

void CommandButton::SetOpaque(bool opaque) {
    opaque_ = opaque;
    if (native_->hwnd) InvalidateRect(native_->hwnd, nullptr, FALSE);
}

void CommandButton::RestartTimer() {
    const HWND hwnd = native_->hwnd;
    if (!hwnd) return;
    KillTimer(hwnd, kPointerWatch);
    if (TimerTicks()) SetTimer(hwnd, kPointerWatch, UINT(timerInterval_), nullptr);
}

WindowRef CommandButton::WindowUnderPointer() const {
    POINT p;
    if (!GetCursorPos(&p)) return 0;
    return reinterpret_cast<WindowRef>(WindowFromPoint(p));
}

WindowRef CommandButton::HostFormWindow() const {
    return reinterpret_cast<WindowRef>(GetAncestor(native_->hwnd, GA_ROOT));
}

}  // namespace velmoran
