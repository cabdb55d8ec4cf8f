// A window of the settings dialog that carries a gradient: the dialog itself
// and its music panel Pic_C(0). It keeps what is drawn on it in a back
// image, and draws its window-less controls (labels, images, shapes) over
// that image in design order whenever it paints; their text has no
// background of its own. The controls with windows (buttons, combo box)
// are its child windows and lie above.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "saver/dialog/settings_dialog_design.h"
#include "saver/rgb_colour.h"

namespace velmoran {

// One window-less control, placed in the window's pixels.
struct PaintedItem {
    design::ControlId id{};
    design::Kind kind{};
    RECT rect{};
    std::wstring text;            // labels
    HFONT font = nullptr;         // labels; not owned
    COLORREF colour = 0;          // label text, shape outline
    UINT format = 0;              // labels: DrawText's alignment and wrapping
    HBITMAP picture = nullptr;    // images; not owned
};

class PaintedWindow {
public:
    // style: WS_CHILD with a parent, or a top-level window's styles; the
    // inner area is `width` x `height` pixels at (x, y).
    PaintedWindow(HWND parent, DWORD style, const wchar_t* title, int x, int y, int width, int height,
                  RgbColour background);
    ~PaintedWindow();
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    SIZE InnerSize() const { return size_; }

    // The controls, drawn in the order added. A label's width may follow
    // its text (fitWidth).
    PaintedItem& Add(PaintedItem item, bool fitWidth);
    PaintedItem* Find(design::ControlId id);
    // Shows a changed control: its label text, or its picture.
    void SetText(design::ControlId id, std::wstring text);
    void SetPicture(design::ControlId id, HBITMAP picture);

    // Line y (from 0) of the back image, from x 0 up to `width`, in lineColours[y].
    void DrawLines(double width, const std::vector<RgbColour>& lineColours);

    // A press of any mouse button on a control (the topmost one there), with
    // the button's bit (kLeftButton, kRightButton, kMiddleButton).
    std::function<void(design::ControlId, std::int16_t button)> onMouseDown;
    // A left-button press and release over the same control.
    std::function<void(design::ControlId)> onClick;
    // The pointer to show over a control; none keeps the window's own.
    std::function<HCURSOR(std::optional<design::ControlId>)> pointerOver;
    // The system's close command (top-level windows).
    std::function<void()> onClose;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void Draw(HDC dc, const PaintedItem& item, HDC scratch) const;
    void FitWidth(PaintedItem& item);
    void Invalidate(const RECT& rect);
    std::optional<design::ControlId> ItemAt(POINT point) const;
    void MouseDown(std::int16_t button, LPARAM lParam);
    void MouseUp(LPARAM lParam);

    HWND hwnd_ = nullptr;
    SIZE size_{};
    HDC backDc_ = nullptr;
    HBITMAP backBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::vector<PaintedItem> items_;
    std::optional<design::ControlId> pressed_;
    HWND lastFocus_ = nullptr;
};

}  // namespace velmoran
