// The user's own place for the settings file on Linux, as the XDG base
// directories name it.
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "saver/backend.h"

namespace velmoran {

namespace {

constexpr const char* kFolderName = "velmoran";

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

}  // namespace

// $XDG_CONFIG_HOME/velmoran; a relative $XDG_CONFIG_HOME is no such folder,
// and ~/.config stands for it then, as for one that is not set.
std::string UserSettingsFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return std::string(config) + "/" + kFolderName;
    const std::string home = HomeFolder();
    if (home.empty() || home.front() != '/') return {};
    return home + "/.config/" + kFolderName;
}

// The system's own answer for this user, read-only mounts included; the
// folder is neither touched nor changed by asking.
bool FolderWritable(const std::string& folder) {
    return !folder.empty() && faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace velmoran
