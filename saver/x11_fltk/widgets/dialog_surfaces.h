// The settings dialog's two drawing surfaces on FLTK: the window and the
// music panel Pic_C(0). Each keeps a back image that the lines painted on it
// go into, shows it beneath its controls and so keeps what was drawn when it
// is covered and uncovered.
#pragma once

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>

#include <functional>
#include <vector>

#include "saver/controls/rgb_image.h"
#include "saver/rgb_colour.h"

namespace velmoran {

// A surface's persistent picture, as large as the surface.
class BackImage {
public:
    BackImage(int width, int height, RgbColour background);
    // Line y (from 0) from x 0 up to `width` in lineColours[y]; lines below
    // the picture are left out.
    void DrawLines(double width, const std::vector<RgbColour>& lineColours);
    void Show(int x, int y) const;

private:
    RgbImage image_;
};

// The dialog's window: fixed size, no key of its own but Tab and Shift+Tab,
// which it hands to onTab; the system's close command goes to onClose.
class DialogWindow : public Fl_Double_Window {
public:
    DialogWindow(int width, int height, const char* title, RgbColour background);

    std::function<void(bool backwards)> onTab;
    std::function<void()> onClose;
    BackImage& Back() { return back_; }

    int handle(int event) override;

protected:
    void draw() override;

private:
    static void Closing(Fl_Widget*, void* self);
    BackImage back_;
};

// The music panel: a container drawn with its back image; keys pass through
// it to the window.
class DialogPanel : public Fl_Group {
public:
    DialogPanel(int x, int y, int width, int height, RgbColour background);
    BackImage& Back() { return back_; }
    int handle(int event) override;

protected:
    void draw() override;

private:
    BackImage back_;
};

}  // namespace velmoran
