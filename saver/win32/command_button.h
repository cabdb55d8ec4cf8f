// The skinned push button as a Windows child window of its own class
// ("VelmoranCommand"): it takes the keyboard focus, sits in its parent's tab
// order (WS_TABSTOP, in creation order) and is what WindowFromPoint finds.
//
// As a form loads its buttons:
//
//   CommandButton ok(dialog, 324, 200, 77, 25, IDOK);   // pixels, in the parent
//   ok.SetAmbientFont(formFont);               // used when the bag has no "Font"
//   ok.OnClick([] { ... });
//   ok.Control().UserControl_ReadProperties(bag);   // caption, font, colour...
//   ok.Control().Initialize();                 // starts the pointer watch
//
// Control() gives the button's properties (Caption, Font, FontColour,
// Enabled, Visible) and UserControl_WriteProperties. Focus() moves the
// keyboard focus to it; hosts that want Tab to move between buttons pass
// their messages through IsDialogMessage. The button never clicks from the
// keyboard. Its click handler may destroy the button.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "saver/controls/command.h"

namespace velmoran {

class CommandButton : private FaceSurface, private ControlSite {
public:
    CommandButton(HWND parent, int x, int y, int width, int height, int id = 0);
    ~CommandButton() override;
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    HWND Handle() const { return hwnd_; }
    Command& Control() { return control_; }
    void Focus();
    void OnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    void OnPropertyChanged(std::function<void(std::string_view)> handler) { onChange_ = std::move(handler); }
    void SetAmbientFont(ButtonFont font) { ambientFont_ = std::move(font); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Pointer(Command::Pointer kind, std::int16_t button, WPARAM wParam, LPARAM lParam);
    void PointerUp(std::int16_t button, WPARAM wParam, LPARAM lParam);
    void MakeBackImage(int width, int height);
    void FreeBackImage();
    void Paint(HDC dc);
    void PaintParentBackground(HDC dc);
    void PaintCaption(HDC dc);

    // FaceSurface: a memory bitmap of the window's size.
    PixelSize InnerSize() const override { return size_; }
    void Clear() override;
    void FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) override;
    void CopyFace(FaceImage image, PixelRect source, PixelRect destination) override;
    void Refresh() override;
    void ShowCaption(const CaptionElement& caption) override;
    void SetOpaque(bool opaque) override;

    // ControlSite
    void SetTimerEnabled(bool enabled) override;
    void SetTimerInterval(int milliseconds) override;
    WindowRef WindowUnderPointer() const override;
    WindowRef OwnWindow() const override;
    WindowRef HostFormWindow() const override;
    ButtonFont AmbientFont() const override { return ambientFont_; }
    void PropertyChanged(std::string_view name) override;
    void Click() override;
    void RestartTimer();

    HWND hwnd_ = nullptr;
    PixelSize size_;
    HDC backDc_ = nullptr;
    HBITMAP backBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HFONT font_ = nullptr;
    ButtonFont fontMade_;
    CaptionElement caption_;
    bool opaque_ = true;
    bool timerEnabled_ = false;
    UINT interval_ = 0;
    ButtonFont ambientFont_ = DesignFont();
    std::function<void()> onClick_;
    std::function<void(std::string_view)> onChange_;
    Command control_{*this, *this};
};

}  // namespace velmoran
