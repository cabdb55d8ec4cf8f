#include "saver/win32/preview_window.h"

#include <algorithm>

#include "saver/win32/wide_text.h"

namespace velmoran {

namespace {

constexpr wchar_t kClassName[] = L"Velmoran_R";

COLORREF BackColour() {
    const RgbColour back = preview_design::kBackColour;
    return RGB(back.red, back.green, back.blue);
}

void RegisterFormClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSW form{};
        form.lpfnWndProc = procedure;
        form.hInstance = GetModuleHandleW(nullptr);
        form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        form.lpszClassName = kClassName;
        return RegisterClassW(&form) != 0;
    }();
    (void)registered;
}

// Draws the picture scaled into `place`, averaging pixels where it shrinks.
void DrawPicture(HDC target, const OlePicture& picture, const PixelRect& place) {
    if (!picture || place.width <= 0 || place.height <= 0) return;
    HDC source = CreateCompatibleDC(target);
    if (!source) return;
    HGDIOBJ previous = SelectObject(source, picture.Bitmap());
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, place.left, place.top, place.width, place.height, source, 0, 0, picture.Width(),
               picture.Height(), SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace

Win32PreviewWindow::~Win32PreviewWindow() {
    if (window_) DestroyWindow(window_);
}

std::optional<ScreenRect> Win32PreviewWindow::HostRect() {
    RECT host;
    if (!GetWindowRect(host_, &host)) return std::nullopt;
    return ScreenRect{host.left, host.top, host.right, host.bottom};
}

TwipsPerPixel Win32PreviewWindow::ScreenTwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    const TwipsPerPixel factors =
        TwipsPerPixelAt(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return factors;
}

void Win32PreviewWindow::Load(int width, int height, const PixelRect& image) {
    background_ = OlePicture::FromAsset(preview_design::kBackgroundPicture);
    sample_ = OlePicture::FromAsset(preview_design::kSamplePicture);
    image_ = image;
    RegisterFormClass(&Procedure);
    window_ = CreateWindowExW(0, kClassName, Widen(preview_design::kCaption).c_str(), WS_POPUP, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

bool Win32PreviewWindow::BecomeChildOfHost() {
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    SetWindowLongA(window_, GWL_STYLE, style | WS_CHILD);
    return SetParent(window_, host_) != nullptr;
}

void Win32PreviewWindow::PlaceForm(int width, int height) { MoveWindow(window_, 0, 0, width, height, TRUE); }

void Win32PreviewWindow::PlaceImage(const PixelRect& image) {
    image_ = image;
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32PreviewWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void Win32PreviewWindow::PostClose() { PostMessageA(window_, WM_CLOSE, 0, 0); }

void Win32PreviewWindow::RunUntilGone(Velmoran_R& form) {
    form_ = &form;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    form_ = nullptr;
}

LRESULT CALLBACK Win32PreviewWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        auto* created = static_cast<Win32PreviewWindow*>(creation->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Win32PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painting covers all of it
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_DESTROY:
            if (self->form_) {
                self->form_->Form_Unload();
                PostQuitMessage(0);
            }
            return 0;
        case WM_NCDESTROY:
            self->window_ = nullptr;
            break;
    }
    return DefWindowProcW(window, message, w, l);
}

void Win32PreviewWindow::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    const int width = std::max<int>(client.right, 1);
    const int height = std::max<int>(client.bottom, 1);
    // Composed off screen first, so that the host never shows half a picture.
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (canvas && bitmap) {
        HGDIOBJ previous = SelectObject(canvas, bitmap);
        HBRUSH back = CreateSolidBrush(BackColour());
        const RECT all{0, 0, width, height};
        FillRect(canvas, &all, back);
        DeleteObject(back);
        DrawPicture(canvas, background_, {0, 0, background_.Width(), background_.Height()});
        DrawPicture(canvas, sample_, image_);
        BitBlt(screen, 0, 0, width, height, canvas, 0, 0, SRCCOPY);
        SelectObject(canvas, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (canvas) DeleteDC(canvas);
    EndPaint(window_, &paint);
}

}  // namespace velmoran
