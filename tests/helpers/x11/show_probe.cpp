// show_probe: runs a show on the saver's hidden form with a music player that
// prints its calls (see helpers/printing_music.h for the arguments), then
// prints "show ended".
#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/Xfixes.h>

#include "helpers/printing_music.h"
#include "saver/x11/run_form.h"

int main(int argc, char** argv) {
    velmoran::probe::ProbeArguments args;
    if (!velmoran::probe::ParseProbeArguments(argc, argv, args)) return 2;
    fl_open_display();
    if (args.pointerHidden) XFixesHideCursor(fl_display, DefaultRootWindow(fl_display));
    velmoran::probe::PrintingMusic music(args.cdWorks);
    velmoran::RunShowForm(args.settings, music, args.pointerHidden, args.folder);
    velmoran::probe::PrintingMusic::Say("show ended");
    return 0;
}
