// button_host [--disabled]: a window "button_host" holding two push buttons,
// A ("設定") and B ("ｷｬﾝｾﾙ", loaded disabled with --disabled). Once shown it
// prints each button's place on screen, "A <x> <y> <w> <h>", then
// "click A" or "click B" for every click.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdio>
#include <cstring>

#include "saver/backend.h"

using velmoran::CommandButton;
using velmoran::MemoryPropertyBag;

namespace {

void Load(CommandButton& button, const char* name, const char* caption, bool enabled) {
    MemoryPropertyBag bag{{"caption", std::string(caption)}, {"font", velmoran::DesignFont()}};
    if (!enabled) bag.Set("enabled", std::string("0"));
    button.Control().UserControl_ReadProperties(bag);
    button.Control().Initialize();
    button.OnClick([name] {
        std::printf("click %s\n", name);
        std::fflush(stdout);
    });
}

void PrintPlace(const char* name, Fl_Window& window, const CommandButton& button) {
    const Fl_Widget& widget = *reinterpret_cast<const Fl_Widget*>(button.Window());
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(fl_display, fl_xid(&window), RootWindow(fl_display, fl_screen), widget.x(), widget.y(), &x,
                          &y, &child);
    std::printf("%s %d %d %d %d\n", name, x, y, widget.w(), widget.h());
}

}  // namespace

int main(int argc, char** argv) {
    bool disabled = argc > 1 && std::strcmp(argv[1], "--disabled") == 0;
    Fl_Window window(40, 40, 240, 100, "button_host");
    window.color(fl_rgb_color(192, 192, 192));
    const auto parent = reinterpret_cast<velmoran::WindowRef>(static_cast<Fl_Widget*>(&window));
    CommandButton a(parent, 20, 40, 77, 25);
    CommandButton b(parent, 130, 40, 77, 25);
    window.end();
    Load(a, "A", "設定", true);
    Load(b, "B", "ｷｬﾝｾﾙ", !disabled);
    window.show();
    while (!window.shown() || !fl_xid(&window)) Fl::wait();
    XSync(fl_display, False);
    a.Focus();
    PrintPlace("A", window, a);
    PrintPlace("B", window, b);
    std::fflush(stdout);
    return Fl::run();
}
