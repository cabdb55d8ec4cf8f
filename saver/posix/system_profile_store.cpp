// The settings file's store on Linux, which has no private-profile calls:
// the saver reads and writes the file itself.
#include "saver/settings/system_places.h"
#include "saver/settings/ini_file_store.h"

namespace velmoran {

ProfileStore& SystemProfileStore() {
    static IniFileStore store;
    return store;
}

}  // namespace velmoran
