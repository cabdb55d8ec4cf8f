#include "saver/mixer_cdio/media_module_entry.h"

#include <new>

#include "saver/mixer_cdio/mixer_media_control.h"

// The module's only exported symbol: the rest of it, its own copy of the
// interpreter included, stays inside and never mixes with the saver's.
extern "C" __attribute__((visibility("default"))) velmoran::MediaControl* velmoran_create_media_control() {
    return new (std::nothrow) velmoran::MixerMediaControl();
}
