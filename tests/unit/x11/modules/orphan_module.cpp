// A sound module whose library is missing where it is loaded: it exports the
// factory, but loading it fails first.
#include <cstdlib>

#include "saver/mixer_cdio/media_module_entry.h"

extern "C" int velmoran_absent_library_value(void);

extern "C" __attribute__((visibility("default"))) velmoran::MediaControl* velmoran_create_media_control() {
    velmoran_absent_library_value();
    std::abort();
}
