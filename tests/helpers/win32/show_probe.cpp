// show_probe: runs a show on the saver's hidden form with a music player that
// prints its calls (see helpers/printing_music.h for the arguments), then
// prints "show ended".
#include <windows.h>

#include "helpers/printing_music.h"
#include "saver/win32/run_form.h"

int main(int argc, char** argv) {
    velmoran::probe::ProbeArguments args;
    if (!velmoran::probe::ParseProbeArguments(argc, argv, args)) return 2;
    if (args.pointerHidden) ShowCursor(FALSE);
    velmoran::probe::PrintingMusic music(args.cdWorks);
    velmoran::RunShowForm(args.settings, music, args.pointerHidden, args.folder);
    velmoran::probe::PrintingMusic::Say("show ended");
    return 0;
}
