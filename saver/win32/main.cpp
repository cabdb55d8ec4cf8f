// Velmoran.scr on Windows: the system hands over the command line after the
// program's name.
#include <windows.h>

#include "saver/startup/startup.h"
#include "saver/win32/saver_forms.h"
#include "saver/win32/win32_startup_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    velmoran::Win32StartupPlatform platform;
    velmoran::Win32SaverForms forms;
    velmoran::Main(commandLine ? commandLine : "", platform, forms);
    return 0;
}
