// Test doubles for the push button: a drawing surface that records every
// paint, and a site that plays the window under the pointer and counts clicks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "saver/controls/command.h"

namespace velmoran::testing {

// One DrawFace as the surface saw it: cleared, a gradient, then slices.
struct Paint {
    std::array<GradientVertex, 2> vertices{};
    GradientRect mesh{};
    FaceImage image = FaceImage::Normal;
    std::vector<std::pair<PixelRect, PixelRect>> slices;  // source, destination
};

class RecordingSurface : public FaceSurface {
public:
    PixelSize size{64, 25};
    std::vector<Paint> paints;
    CaptionElement caption;
    bool opaque = true;
    int refreshes = 0;

    std::vector<FaceImage> Faces() const {
        std::vector<FaceImage> faces;
        for (const Paint& p : paints) faces.push_back(p.image);
        return faces;
    }
    // Lavender on top: the paint's upper vertex carries the darker colour.
    bool LavenderOnTop(std::size_t paint) const { return paints.at(paint).vertices[0].red == 0xC600; }

    PixelSize InnerSize() const override { return size; }
    void Clear() override { paints.emplace_back(); }
    void FillGradient(const std::array<GradientVertex, 2>& v, GradientRect mesh) override {
        paints.back().vertices = v;
        paints.back().mesh = mesh;
    }
    void CopyFace(FaceImage image, PixelRect source, PixelRect destination) override {
        paints.back().image = image;
        paints.back().slices.emplace_back(source, destination);
    }
    void Refresh() override { ++refreshes; }
    void ShowCaption(const CaptionElement& c) override { caption = c; }
    void SetOpaque(bool o) override { opaque = o; }
};

inline constexpr WindowRef kOwn = 11, kHost = 22, kNeighbour = 33;

class FakeSite : public ControlSite {
public:
    WindowRef under = kHost;
    bool timerEnabled = false;
    int timerInterval = 0;
    std::vector<std::string> changed;
    int clicks = 0;
    std::function<void()> onClick;
    ButtonFont ambient{"Tahoma", 8.25f, 0};

    void SetTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    void SetTimerInterval(int ms) override { timerInterval = ms; }
    WindowRef WindowUnderPointer() const override { return under; }
    WindowRef OwnWindow() const override { return kOwn; }
    WindowRef HostFormWindow() const override { return kHost; }
    ButtonFont AmbientFont() const override { return ambient; }
    void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
    void Click() override {
        ++clicks;
        if (onClick) onClick();
    }
};

// A button loaded from an empty bag (enabled, "Command1") and initialised, its
// paints so far forgotten.
struct Button {
    RecordingSurface surface;
    FakeSite site;
    Command control{surface, site};

    explicit Button(bool initialise = true) {
        control.UserControl_ReadProperties(MemoryPropertyBag{});
        if (initialise) control.Initialize();
        surface.paints.clear();
        surface.refreshes = 0;
    }
    void Move() { control.UserControl_MouseMove(0, 0, 300, 150); }
    void Down(std::int16_t button = kLeftButton) { control.UserControl_MouseDown(button, 0, 300, 150); }
    void Up(std::int16_t button = kLeftButton) { control.UserControl_MouseUp(button, 0, 300, 150); }
    void PointerGoneTick(WindowRef elsewhere = kHost) {
        site.under = elsewhere;
        control.TmrMouse_Timer();
    }
    void PointerStaysTick() {
        site.under = kOwn;
        control.TmrMouse_Timer();
    }
};

}  // namespace velmoran::testing
