#include "saver/win32/painted_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "saver/controls/command.h"

namespace velmoran {
namespace {

constexpr wchar_t kClassName[] = L"VelmoranPainted";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

COLORREF ToColorRef(RgbColour c) { return RGB(c.red, c.green, c.blue); }

bool Register() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

}  // namespace

PaintedWindow::PaintedWindow(HWND parent, DWORD style, const wchar_t* title, int x, int y, int width, int height,
                             RgbColour background)
    : size_{width, height} {
    if (!Register()) return;
    RECT outer{x, y, x + width, y + height};
    if (!(style & WS_CHILD)) AdjustWindowRectEx(&outer, style, FALSE, 0);
    hwnd_ = CreateWindowExW(0, kClassName, title, style, outer.left, outer.top, outer.right - outer.left,
                            outer.bottom - outer.top, parent, nullptr, Instance(), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));

    HDC screen = GetDC(hwnd_);
    backDc_ = CreateCompatibleDC(screen);
    backBitmap_ = CreateCompatibleBitmap(screen, std::max(1, width), std::max(1, height));
    ReleaseDC(hwnd_, screen);
    if (backDc_ && backBitmap_) {
        oldBitmap_ = SelectObject(backDc_, backBitmap_);
        RECT all{0, 0, width, height};
        SetDCBrushColor(backDc_, ToColorRef(background));
        FillRect(backDc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

PaintedWindow::~PaintedWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (backDc_ && oldBitmap_) SelectObject(backDc_, oldBitmap_);
    if (backBitmap_) DeleteObject(backBitmap_);
    if (backDc_) DeleteDC(backDc_);
}

LRESULT CALLBACK PaintedWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) self->hwnd_ = nullptr;
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT PaintedWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        MouseDown(kLeftButton, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        MouseDown(kMiddleButton, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(kRightButton, lParam);
        return 0;
    case WM_LBUTTONUP:
        MouseUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        pressed_.reset();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && pointerOver) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd_, &p);
            if (HCURSOR pointer = pointerOver(ItemAt(p))) {
                SetCursor(pointer);
                return TRUE;
            }
        }
        break;
    case WM_CLOSE:
        if (onClose) onClose();  // the owner decides; the window is not simply destroyed
        return 0;
    case WM_ACTIVATE:
        // A top-level window gives the focus back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Composed off screen first, so that nothing flickers.
void PaintedWindow::Paint(HDC dc) {
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1L, size_.cx), std::max(1L, size_.cy));
    HDC scratch = CreateCompatibleDC(dc);
    if (buffer && bitmap && scratch) {
        HGDIOBJ old = SelectObject(buffer, bitmap);
        BitBlt(buffer, 0, 0, size_.cx, size_.cy, backDc_, 0, 0, SRCCOPY);
        for (const PaintedItem& item : items_) Draw(buffer, item, scratch);
        BitBlt(dc, 0, 0, size_.cx, size_.cy, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
    }
    if (scratch) DeleteDC(scratch);
    if (bitmap) DeleteObject(bitmap);
    if (buffer) DeleteDC(buffer);
}

void PaintedWindow::Draw(HDC dc, const PaintedItem& item, HDC scratch) const {
    switch (item.kind) {
    case design::Kind::Label: {
        HGDIOBJ oldFont = SelectObject(dc, item.font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, item.colour);
        RECT r = item.rect;
        DrawTextW(dc, item.text.c_str(), int(item.text.size()), &r, item.format);
        SelectObject(dc, oldFont);
        break;
    }
    case design::Kind::Image: {
        BITMAP info{};
        if (!item.picture || !GetObjectW(item.picture, sizeof info, &info)) break;
        HGDIOBJ old = SelectObject(scratch, item.picture);
        BitBlt(dc, item.rect.left, item.rect.top, std::min(LONG(info.bmWidth), item.rect.right - item.rect.left),
               std::min(LONG(info.bmHeight), item.rect.bottom - item.rect.top), scratch, 0, 0, SRCCOPY);
        SelectObject(scratch, old);
        break;
    }
    case design::Kind::Shape: {
        HPEN pen = CreatePen(PS_SOLID, 1, item.colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, item.rect.left, item.rect.top, item.rect.right, item.rect.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        break;
    }
    default:
        break;
    }
}

PaintedItem& PaintedWindow::Add(PaintedItem item, bool fitWidth) {
    items_.push_back(std::move(item));
    if (fitWidth) FitWidth(items_.back());
    return items_.back();
}

PaintedItem* PaintedWindow::Find(design::ControlId id) {
    for (PaintedItem& item : items_)
        if (item.id == id) return &item;
    return nullptr;
}

// An auto-sized label is exactly as wide as its text, which is where it
// takes the pointer.
void PaintedWindow::FitWidth(PaintedItem& item) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, item.font);
    SIZE extent{};
    if (GetTextExtentPoint32W(dc, item.text.c_str(), int(item.text.size()), &extent))
        item.rect.right = item.rect.left + extent.cx;
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
}

void PaintedWindow::SetText(design::ControlId id, std::wstring text) {
    PaintedItem* item = Find(id);
    if (!item) return;
    item->text = std::move(text);
    Invalidate(item->rect);
}

void PaintedWindow::SetPicture(design::ControlId id, HBITMAP picture) {
    PaintedItem* item = Find(id);
    if (!item || item->picture == picture) return;
    item->picture = picture;
    Invalidate(item->rect);
}

void PaintedWindow::Invalidate(const RECT& rect) {
    if (hwnd_) InvalidateRect(hwnd_, &rect, FALSE);
}

void PaintedWindow::DrawLines(double width, const std::vector<RgbColour>& lineColours) {
    if (!backDc_ || !std::isfinite(width)) return;
    const LONG right = LONG(std::clamp(std::lround(width), 0L, long(size_.cx)));
    const LONG rows = std::min(LONG(lineColours.size()), size_.cy);
    for (LONG y = 0; y < rows; ++y) {
        RECT line{0, y, right, y + 1};
        SetDCBrushColor(backDc_, ToColorRef(lineColours[std::size_t(y)]));
        FillRect(backDc_, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

// Later controls lie over earlier ones. Shapes let the pointer through.
std::optional<design::ControlId> PaintedWindow::ItemAt(POINT point) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->kind != design::Kind::Shape && PtInRect(&it->rect, point)) return it->id;
    return std::nullopt;
}

void PaintedWindow::MouseDown(std::int16_t button, LPARAM lParam) {
    const std::optional<design::ControlId> item = ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (!item) return;
    if (button == kLeftButton) {
        pressed_ = item;
        SetCapture(hwnd_);
    }
    if (onMouseDown) onMouseDown(*item, button);
}

void PaintedWindow::MouseUp(LPARAM lParam) {
    const std::optional<design::ControlId> pressed = pressed_;
    if (GetCapture() == hwnd_) ReleaseCapture();  // clears pressed_
    if (pressed && ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == pressed && onClick) onClick(*pressed);
}

}  // namespace velmoran
