#include "viewer/posix/saver_bond.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdlib>

#include "common/host_window.h"

namespace velmoran {

bool BindToSaver() {
    const char* named = std::getenv(kSaverProcessVariable);
    if (!named) return true;
    char* end = nullptr;
    const long saver = std::strtol(named, &end, 10);
    if (*end != '\0' || saver <= 0) return false;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Asked for after the start: a saver that ended before it is not the
    // parent any more.
    return getppid() == static_cast<pid_t>(saver);
}

}  // namespace velmoran
