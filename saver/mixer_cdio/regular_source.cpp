#include "saver/mixer_cdio/regular_source.h"

#include <SDL_rwops.h>

#include "common/safe_files.h"

namespace velmoran {

SDL_RWops* OpenRegularSource(const std::string& path) {
    File file = OpenRegularFile(path);
    if (!file) return nullptr;
    SDL_RWops* source = SDL_RWFromFP(file.get(), SDL_TRUE);
    if (source) file.release();  // the stream closes it now
    return source;
}

}  // namespace velmoran
