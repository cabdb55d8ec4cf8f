// The skinned push button "Velmoran.Command": a gradient body framed by one of
// six face images, a centred caption, hover, focus, pressed and disabled
// looks, and one event, Click. This class holds all its behaviour; a back end
// creates the window, forwards the platform's notifications to the handlers
// below and implements the drawing surface and the site.
//
// Hosts load the control from a property bag (UserControl_ReadProperties),
// size it (UserControl_Resize) and then call Initialize once, which starts the
// 100 ms pointer watch that ends the hover look.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "saver/controls/button_font.h"
#include "saver/controls/control_site.h"
#include "saver/controls/face_geometry.h"
#include "saver/controls/face_surface.h"
#include "saver/controls/property_bag.h"

namespace velmoran {

// Mouse buttons and shift keys as the handlers receive them.
inline constexpr std::int16_t kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
inline constexpr std::int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// FaceState values.
inline constexpr std::uint8_t kNotInitialised = 0, kIdle = 1, kPointerOver = 2, kFocused = 3,
                              kFocusedPointerOver = 4;

class Command {
public:
    Command(FaceSurface& surface, ControlSite& site);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Properties. Reading Visible (while opaque), FontColour or Enabled
    // repaints the face, as the control always has.
    std::uint8_t Visible();
    void SetVisible(std::uint8_t New_Visible);
    std::uint32_t FontColour();
    void SetFontColour(std::uint32_t New_FontColour);
    bool Enabled();
    void SetEnabled(bool New_Enabled);
    const std::string& Caption() const { return lblMsg_.text; }
    void SetCaption(std::string New_Caption);
    const ButtonFont& Font() const { return lblMsg_.font; }
    void SetFont(ButtonFont New_Font);

    void Initialize();

    // Pointer over the face or over the caption: button and shift masks as
    // above, position in twips relative to the face or to the caption.
    void UserControl_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void UserControl_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void UserControl_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void LblMsg_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void LblMsg_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void LblMsg_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);

    // What back ends call with a pointer position in pixels over the control:
    // goes to the caption's handler where the caption lies, to the face's
    // elsewhere.
    enum class Pointer { Down, Move, Up };
    void PointerEvent(Pointer kind, std::int16_t button, std::int16_t shift, int xPixels, int yPixels);

    void UserControl_GotFocus();
    void UserControl_LostFocus();
    void UserControl_Resize();
    void TmrMouse_Timer();
    void UserControl_ReadProperties(const PropertyBag& PropBag);
    void UserControl_WriteProperties(PropertyBag& PropBag);

    void LeaveHover();
    void ApplyEnabled();
    void ResetFace();
    void DrawFace(FaceImage image);
    void DrawGradient();

    // State, for back ends and tests.
    std::uint8_t FaceState() const { return faceState_; }
    bool MouseHeld() const { return mouseHeld_; }
    bool GradientFlip() const { return gradientFlip_; }
    std::uint8_t FirstRun() const { return firstRun_; }
    bool Opaque() const { return backStyle_ == 1; }
    const CaptionElement& LblMsg() const { return lblMsg_; }
    // LeftLine, TopLine, RightLine, BottomLine: design-time guides, hidden by
    // every paint.
    const std::array<bool, 4>& LinesVisible() const { return linesVisible_; }

private:
    void SetCaptionEnabled(bool enabled);
    void SetBackStyle(std::int16_t style);

    FaceSurface& surface_;
    ControlSite& site_;

    std::uint8_t faceState_ = kNotInitialised;
    bool mouseHeld_ = false;
    bool gradientFlip_ = false;
    bool enabled_ = false;
    std::uint8_t firstRun_ = 0;
    std::int16_t backStyle_ = 1;  // 1 opaque, 0 transparent
    CaptionElement lblMsg_;
    MiddleBand band_;
    std::array<bool, 4> linesVisible_{true, true, true, true};
};

}  // namespace velmoran
