// The button's properties and its input state machine.
#include "saver/controls/command.h"

#include <utility>

namespace velmoran {

Command::Command(FaceSurface& surface, ControlSite& site) : surface_(surface), site_(site) {}

std::uint8_t Command::Visible() {
    if (backStyle_ == 0) return 0;
    ResetFace();
    return 255;
}

void Command::SetVisible(std::uint8_t New_Visible) {
    if (New_Visible != 0) {
        SetBackStyle(1);
        ResetFace();
    } else {
        SetBackStyle(0);
    }
    site_.PropertyChanged("Visible");
}

std::uint32_t Command::FontColour() {
    std::uint32_t colour = lblMsg_.colour;
    ResetFace();
    return colour;
}

void Command::SetFontColour(std::uint32_t New_FontColour) {
    lblMsg_.colour = New_FontColour;
    surface_.ShowCaption(lblMsg_);
    ResetFace();
    site_.PropertyChanged("FontColour");
}

// The first read applies a fresh instance's defaults.
bool Command::Enabled() {
    if (firstRun_ == 0) {
        ResetFace();
        firstRun_ = 1;
        enabled_ = true;
    }
    bool enabled = enabled_;
    ApplyEnabled();
    return enabled;
}

void Command::SetEnabled(bool New_Enabled) {
    enabled_ = New_Enabled;
    site_.PropertyChanged("Enabled");
    ApplyEnabled();
}

void Command::SetCaption(std::string New_Caption) {
    lblMsg_.text = std::move(New_Caption);
    surface_.ShowCaption(lblMsg_);
    site_.PropertyChanged("Caption");
}

void Command::SetFont(ButtonFont New_Font) {
    lblMsg_.font = std::move(New_Font);
    surface_.ShowCaption(lblMsg_);
    site_.PropertyChanged("Font");
}

void Command::Initialize() {
    faceState_ = kIdle;
    site_.SetTimerEnabled(true);
    site_.SetTimerInterval(100);
}

void Command::UserControl_MouseDown(std::int16_t button, std::int16_t, float, float) {
    if (!enabled_) return;
    if (button == kLeftButton) {
        mouseHeld_ = true;
        DrawFace(FaceImage::Pressed);
    }
}

void Command::UserControl_MouseMove(std::int16_t, std::int16_t, float, float) {
    if (!enabled_) return;
    if (faceState_ == kIdle) {
        faceState_ = kPointerOver;
        DrawFace(FaceImage::HighLight);
    }
    if (faceState_ == kFocused && !mouseHeld_) {
        faceState_ = kFocusedPointerOver;
        DrawFace(FaceImage::HighLightSelect);
    }
}

// Click is the last step: the host may destroy the control from its handler.
void Command::UserControl_MouseUp(std::int16_t button, std::int16_t, float, float) {
    if (!enabled_) return;
    if (button == kLeftButton) {
        mouseHeld_ = false;
        if (faceState_ == kPointerOver) DrawFace(FaceImage::Normal);
        if (faceState_ == kFocusedPointerOver) DrawFace(FaceImage::HighLightSelect);
    }
    if (faceState_ != kFocused && enabled_) site_.Click();
}

void Command::LblMsg_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    UserControl_MouseDown(button, shift, x, y);
}

void Command::LblMsg_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    UserControl_MouseMove(button, shift, x, y);
}

void Command::LblMsg_MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    UserControl_MouseUp(button, shift, x, y);
}

void Command::PointerEvent(Pointer kind, std::int16_t button, std::int16_t shift, int xPixels, int yPixels) {
    float x = xPixels * kTwipsPerPixel, y = yPixels * kTwipsPerPixel;
    const CaptionElement& c = lblMsg_;
    bool overCaption = x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
    if (overCaption) {
        x -= c.left;
        y -= c.top;
    }
    switch (kind) {
    case Pointer::Down:
        overCaption ? LblMsg_MouseDown(button, shift, x, y) : UserControl_MouseDown(button, shift, x, y);
        break;
    case Pointer::Move:
        overCaption ? LblMsg_MouseMove(button, shift, x, y) : UserControl_MouseMove(button, shift, x, y);
        break;
    case Pointer::Up:
        overCaption ? LblMsg_MouseUp(button, shift, x, y) : UserControl_MouseUp(button, shift, x, y);
        break;
    }
}

void Command::UserControl_GotFocus() {
    if (!enabled_) return;
    if (faceState_ != kPointerOver) {
        faceState_ = kFocused;
        DrawFace(FaceImage::Selected);
    } else {
        faceState_ = kFocusedPointerOver;
        DrawFace(FaceImage::Pressed);
    }
}

void Command::UserControl_LostFocus() {
    if (!enabled_) return;
    if (faceState_ != kIdle) {
        faceState_ = kIdle;
        DrawFace(FaceImage::Normal);
    }
}

void Command::UserControl_Resize() { ApplyEnabled(); }

// The pointer has gone when the window under it is anything but the control
// itself: the host form, a neighbouring button, the container, another program.
void Command::TmrMouse_Timer() {
    if (!enabled_) return;
    WindowRef under = site_.WindowUnderPointer();
    if (under == site_.HostFormWindow()) {
        LeaveHover();
        return;
    }
    if (under != site_.OwnWindow()) LeaveHover();
}

void Command::LeaveHover() {
    if (!enabled_) return;
    if (faceState_ == kPointerOver) {
        faceState_ = kIdle;
        DrawFace(FaceImage::Normal);
    }
    if (faceState_ == kFocusedPointerOver) {
        faceState_ = kFocused;
        DrawFace(FaceImage::Selected);
    }
}

void Command::ApplyEnabled() {
    if (enabled_) {
        DrawFace(FaceImage::Normal);
        SetCaptionEnabled(true);
    } else {
        DrawFace(FaceImage::Disable);
        SetCaptionEnabled(false);
    }
}

// Until a fresh instance's defaults are applied, the caption stays black.
void Command::ResetFace() {
    if (!enabled_) return;
    lblMsg_.enabled = true;
    if (firstRun_ == 0) lblMsg_.colour = 0;
    surface_.ShowCaption(lblMsg_);
    DrawFace(FaceImage::Normal);
}

void Command::SetCaptionEnabled(bool enabled) {
    lblMsg_.enabled = enabled;
    surface_.ShowCaption(lblMsg_);
}

// Anything but 0 (transparent) and 1 (opaque) is refused.
void Command::SetBackStyle(std::int16_t style) {
    if (style != 0 && style != 1) return;
    backStyle_ = style;
    surface_.SetOpaque(style == 1);
}

}  // namespace velmoran
