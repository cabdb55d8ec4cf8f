// What SDL_mixer reads a music or wave file from: the file opened the
// project's safe way, so that a named pipe or a device given as music is
// refused at once instead of holding the music thread in open() or read().
#pragma once

#include <string>

struct SDL_RWops;

namespace velmoran {

// The regular file at `path` (system text) as an SDL stream that closes the
// file when it is closed; null when it cannot be opened or is no regular file.
SDL_RWops* OpenRegularSource(const std::string& path);

}  // namespace velmoran
