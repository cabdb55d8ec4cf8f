// Velmoran.scr on X11: the arguments make the command line, as one text.
#include <string>

#include "saver/startup/run_saver.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return velmoran::RunSaver(commandLine);
}
