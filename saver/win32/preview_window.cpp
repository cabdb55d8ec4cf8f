// The preview form's window on Windows: a borderless popup window that
// becomes a child of the host and paints the form's pictures.
#include <windows.h>

#include <algorithm>

#include "saver/backend.h"
#include "saver/win32/ole_picture.h"
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
void DrawPicture(HDC target, const OlePicture& picture, const PreviewRect& place) {
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

struct PreviewWindow::Native {
    ~Native() {
        if (window) DestroyWindow(window);
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void Paint();

    OleSession ole;  // first in, last out: the pictures are OLE's
    HWND host;
    HWND window = nullptr;
    Velmoran_R* form = nullptr;
    PreviewRect image;
    OlePicture background;
    OlePicture sample;
};

// A window handle on the command line is 32 bits; wider handles are its sign
// extension.
PreviewWindow::PreviewWindow(std::uint32_t host) : native_(std::make_unique<Native>()) {
    native_->host = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(host)));
}

PreviewWindow::~PreviewWindow() = default;

std::optional<ScreenRect> PreviewWindow::HostRect() {
    RECT host;
    if (!GetWindowRect(native_->host, &host)) return std::nullopt;
    return ScreenRect{host.left, host.top, host.right, host.bottom};
}

TwipsPerPixel PreviewWindow::ScreenTwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    const TwipsPerPixel factors =
        TwipsPerPixelAt(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return factors;
}

void PreviewWindow::Load(int width, int height, const PreviewRect& image) {
    Native& n = *native_;
    n.background = OlePicture::FromAsset(preview_design::kBackgroundPicture);
    n.sample = OlePicture::FromAsset(preview_design::kSamplePicture);
    n.image = image;
    RegisterFormClass(&Native::Procedure);
    n.window = CreateWindowExW(0, kClassName, Widen(preview_design::kCaption).c_str(), WS_POPUP, 0, 0, width, height,
                               nullptr, nullptr, GetModuleHandleW(nullptr), &n);
}

bool PreviewWindow::BecomeChildOfHost() {
    const HWND window = native_->window;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, style | WS_CHILD);
    return SetParent(window, native_->host) != nullptr;
}

void PreviewWindow::PlaceForm(int width, int height) { ::MoveWindow(native_->window, 0, 0, width, height, TRUE); }

void PreviewWindow::PlaceImage(const PreviewRect& image) {
    native_->image = image;
    InvalidateRect(native_->window, nullptr, FALSE);
}

void PreviewWindow::Show() {
    ShowWindow(native_->window, SW_SHOW);
    UpdateWindow(native_->window);
}

void PreviewWindow::PostClose() { PostMessageA(native_->window, WM_CLOSE, 0, 0); }

void PreviewWindow::RunUntilGone(Velmoran_R& form) {
    native_->form = &form;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    native_->form = nullptr;
}

LRESULT CALLBACK PreviewWindow::Native::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        auto* created = static_cast<Native*>(creation->lpCreateParams);
        created->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painting covers all of it
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_DESTROY:
            if (self->form) {
                self->form->Form_Unload();
                PostQuitMessage(0);
            }
            return 0;
        case WM_NCDESTROY:
            self->window = nullptr;
            break;
    }
    return DefWindowProcW(window, message, w, l);
}

void PreviewWindow::Native::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
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
        DrawPicture(canvas, background, {0, 0, background.Width(), background.Height()});
        DrawPicture(canvas, sample, image);
        BitBlt(screen, 0, 0, width, height, canvas, 0, 0, SRCCOPY);
        SelectObject(canvas, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (canvas) DeleteDC(canvas);
    EndPaint(window, &paint);
}

}  // namespace velmoran
