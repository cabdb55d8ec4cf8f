// Velmoran.scr on X11: the arguments make the command line, as one text.
#include <string>

#include "saver/startup/startup.h"
#include "saver/x11/saver_forms.h"
#include "saver/x11/x11_startup_platform.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    velmoran::X11StartupPlatform platform;
    velmoran::X11SaverForms forms;
    velmoran::Main(commandLine, platform, forms);
    return 0;
}
