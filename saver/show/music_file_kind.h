// Which player a show's music file goes to.
#pragma once

#include <string_view>

#include "saver/settings/system_text.h"

namespace velmoran {

enum class MusicFile { Other, Wav, Mp3 };

// A music file's kind by its last three characters in any case: "WAV" or
// "MP3". The path is system text whose characters `size` walks, so a
// double-byte character's second byte never counts as a letter of its own.
MusicFile MusicFileKind(std::string_view file, CharacterSize size);

}  // namespace velmoran
