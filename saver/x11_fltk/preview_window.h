// The preview form's window on X11: a plain X window that goes into the host
// window, whose picture FLTK composes into the window's background, so that
// the server repaints it by itself whenever it shows again.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include <FL/Fl_Image.H>

#include "saver/preview/preview_form.h"

namespace velmoran {

class X11PreviewWindow final : public PreviewView {
public:
    X11PreviewWindow(Display* display, Window host);
    ~X11PreviewWindow() override;
    X11PreviewWindow(const X11PreviewWindow&) = delete;
    X11PreviewWindow& operator=(const X11PreviewWindow&) = delete;

    std::optional<ScreenRect> HostRect() override;
    TwipsPerPixel ScreenTwipsPerPixel() override;
    void Load(int width, int height, const PixelRect& image) override;
    bool BecomeChildOfHost() override;
    void PlaceForm(int width, int height) override;
    void PlaceImage(const PixelRect& image) override;
    void Show() override;
    void PostClose() override;

    // Runs until the window goes: the host or someone else destroyed it,
    // took it out of the host, or asked it to close. The form is unloaded then.
    void RunUntilGone(Velmoran_R& form);

private:
    bool Ends(const XEvent& event);
    bool IsCloseRequest(const XEvent& event) const;
    // Composes the picture again if its size or place changed.
    void Repaint();

    Display* display_;
    Window host_;
    Window window_ = 0;
    bool destroyed_ = false;  // by the server, with the host or on request of another program
    Atom protocols_;
    Atom deleteWindow_;
    int width_ = 0;
    int height_ = 0;
    PixelRect image_;
    bool dirty_ = false;
    std::unique_ptr<Fl_RGB_Image> background_;
    std::unique_ptr<Fl_RGB_Image> sample_;
};

}  // namespace velmoran
