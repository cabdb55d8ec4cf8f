// Velmoran.scr on Windows: the system hands over the command line after the
// program's name.
#include <windows.h>

#include "saver/startup/run_saver.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return velmoran::RunSaver(commandLine ? commandLine : "");
}
