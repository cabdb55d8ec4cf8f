// The way into the Linux sound back end, which is built as a module of its
// own (a shared object beside the saver) and loaded only when music first
// plays: its one exported function, looked up by name, and its file name.
#pragma once

#include "saver/music/media_control.h"

namespace velmoran {

inline constexpr const char* kMediaModuleFileName = "Velmoran-media.so";
inline constexpr const char* kMediaModuleFactoryName = "velmoran_create_media_control";

// Makes the module's media facilities, owned by the caller; null when there
// is no memory for them.
using MediaModuleFactory = MediaControl* (*)();

}  // namespace velmoran

extern "C" velmoran::MediaControl* velmoran_create_media_control();
