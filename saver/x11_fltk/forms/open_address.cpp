#include "saver/x11_fltk/forms/open_address.h"

#include <FL/Fl.H>
#include <spawn.h>
#include <sys/wait.h>

#include <string>

extern char** environ;

namespace velmoran {
namespace {

constexpr double kReapInterval = 0.5;

// The opener usually ends at once, after handing the address to a browser;
// until then it is checked on now and then so that it leaves no zombie.
void Reap(void* data) {
    const pid_t pid = pid_t(reinterpret_cast<std::intptr_t>(data));
    if (waitpid(pid, nullptr, WNOHANG) == 0) Fl::repeat_timeout(kReapInterval, Reap, data);
}

}  // namespace

bool OpenWithDesktop(const std::string& address) {
    std::string program = "xdg-open";
    std::string argument = address;
    char* argv[] = {program.data(), argument.data(), nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    // Its own session: the browser it starts outlives this dialog.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed) return false;
    Fl::add_timeout(kReapInterval, Reap, reinterpret_cast<void*>(std::intptr_t(pid)));
    return true;
}

}  // namespace velmoran
