// The skinned push button as an FLTK widget.
//
// Use it like any FLTK widget: construct it inside the group that holds it,
// at a position and size in pixels. Then, as a form loads its buttons:
//
//   CommandButton ok(324, 200, 77, 25);
//   ok.SetAmbientFont(formFont);               // used when the bag has no "Font"
//   ok.OnClick([] { ... });
//   ok.Control().UserControl_ReadProperties(bag);   // caption, font, colour...
//   ok.Control().Initialize();                 // starts the pointer watch
//
// Control() gives the button's properties (Caption, Font, FontColour,
// Enabled, Visible) and UserControl_WriteProperties. Focus() moves the
// keyboard focus to it; Tab moves it between the buttons of a group. The
// button never clicks from the keyboard. A click handler that destroys the
// button must do so with Fl::delete_widget.
#pragma once

#include <FL/Fl_Widget.H>

#include <functional>
#include <string_view>

#include "saver/controls/command.h"
#include "saver/controls/rgb_image.h"

namespace velmoran {

class CommandButton : public Fl_Widget, private FaceSurface, private ControlSite {
public:
    CommandButton(int x, int y, int w, int h);
    ~CommandButton() override;

    Command& Control() { return control_; }
    void Focus();
    void OnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    void OnPropertyChanged(std::function<void(std::string_view)> handler) { onChange_ = std::move(handler); }
    void SetAmbientFont(ButtonFont font) { ambientFont_ = std::move(font); }

    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;

protected:
    void draw() override;

private:
    // FaceSurface: the back image is an RGB picture of the widget's size.
    PixelSize InnerSize() const override { return {w(), h()}; }
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

    static void Tick(void* self);
    void RestartTimer();
    void Pointer(Command::Pointer kind, std::int16_t button);
    void DrawCaption() const;

    RgbImage back_;
    CaptionElement caption_;
    bool opaque_ = true;
    bool timerEnabled_ = false;
    double interval_ = 0;
    ButtonFont ambientFont_ = DesignFont();
    std::function<void()> onClick_;
    std::function<void(std::string_view)> onChange_;
    Command control_{*this, *this};
};

}  // namespace velmoran
