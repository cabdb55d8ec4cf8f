#include "saver/backend.h"
#include "saver/settings/ini_file_store.h"

namespace velmoran {

// X11 systems have no private-profile calls: the saver reads and writes the
// file itself.
ProfileStore& SystemProfileStore() {
    static IniFileStore store;
    return store;
}

}  // namespace velmoran
